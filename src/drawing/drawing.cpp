#include "drawing.h"

#include "drawingstorage.h"
#include "pointextremes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

static_assert(sizeof(void *) != 8 || sizeof(DrawingObject) == 24, "an object record should stay at three words");

// --- DrawingPointList

DrawingPointList::~DrawingPointList()
{
    if (m_scattered)
        delete m_runs;
}

void DrawingPointList::const_iterator::enterNextRun()
{
    if (m_nextRun == m_runsEnd) {
        m_current = nullptr;
        return;
    }
    m_current = m_nextRun->first;
    m_runEnd = m_current + m_nextRun->count;
    ++m_nextRun;
}

DrawingPointList::const_iterator DrawingPointList::begin() const
{
    const_iterator it;
    if (m_size == 0)
        return it;
    if (!m_scattered) {
        it.m_current = m_head;
        it.m_runEnd = m_head + m_size;
        return it;
    }
    it.m_nextRun = m_runs->data();
    it.m_runsEnd = m_runs->data() + m_runs->size();
    it.enterNextRun();
    return it;
}

DrawingPoint *DrawingPointList::at(int i) const
{
    Q_ASSERT(i >= 0 && i < m_size);
    if (!m_scattered)
        return m_head + i;
    const auto run = std::upper_bound(m_runs->begin(), m_runs->end(), i,
                                      [](int index, const Run &r) { return index < r.start; })
        - 1;
    return run->first + (i - run->start);
}

DrawingPoint *DrawingPointList::last() const
{
    Q_ASSERT(m_size > 0);
    if (!m_scattered)
        return m_head + m_size - 1;
    const Run &run = m_runs->back();
    return run.first + run.count - 1;
}

QVector<DrawingPoint *> DrawingPointList::toVector() const
{
    QVector<DrawingPoint *> result;
    result.reserve(m_size);
    for (DrawingPoint *point : *this)
        result.append(point);
    return result;
}

void DrawingPointList::append(DrawingPoint *point)
{
    if (m_size == std::numeric_limits<qint32>::max())
        throw std::bad_alloc();
    if (m_size == 0) {
        m_head = point;
    } else if (!m_scattered) {
        if (m_head + m_size != point) {
            auto *runs = new Runs{{m_head, 0, m_size}, {point, m_size, 1}};
            m_runs = runs;
            m_scattered = true;
        }
    } else {
        Run &run = m_runs->back();
        if (run.first + run.count == point)
            ++run.count;
        else
            m_runs->push_back({point, m_size, 1});
    }
    ++m_size;
}

// --- DrawingObject

DrawingPoint *DrawingObject::appendPoint(const QPointF &p)
{
    // Judged here, where every point is made, so that neither the readers
    // nor the writer need a pass of their own over the points.
    DrawingStorage &storage = DrawingStorage::of(this);
    if (!isWithinCoordinateRange(p.x(), p.y()))
        storage.setPointOutOfRange(true);
    DrawingPoint *point = storage.newPoint();
    *point = DrawingPoint{p.x(), p.y(), this, points.size()};
    points.append(point);
    return point;
}

// --- DrawingObjectList

DrawingObjectList::DrawingObjectList(DrawingStorage &storage)
    : m_storage(storage)
{
}

DrawingObject *DrawingObjectList::slot(int slot) const
{
    return m_storage.objectSlot(slot);
}

DrawingObject *DrawingObjectList::object(int i) const
{
    Q_ASSERT(i >= 0 && i < size());
    if (m_removedCount == 0)
        return slot(i);
    if (m_liveSlots.empty()) {
        m_liveSlots.reserve(std::size_t(size()));
        for (int s = 0; s < m_slotCount; ++s) {
            if (!slot(s)->m_removed)
                m_liveSlots.push_back(s);
        }
    }
    return slot(m_liveSlots[std::size_t(i)]);
}

DrawingObject *DrawingObjectList::append()
{
    if (m_slotCount == std::numeric_limits<int>::max())
        throw std::bad_alloc();
    DrawingObject *object = m_storage.newObject(m_slotCount);
    ++m_slotCount;
    m_liveSlots.clear();
    return object;
}

void DrawingObjectList::removeEmpty()
{
    for (int s = 0; s < m_slotCount; ++s) {
        DrawingObject *object = slot(s);
        if (!object->m_removed && object->points.isEmpty()) {
            object->m_removed = true;
            ++m_removedCount;
        }
    }
    m_liveSlots.clear();
}

// --- Drawing

Drawing::Drawing()
    : QObject(nullptr)
    , m_storage(new DrawingStorage)
    , m_objects(*m_storage)
{
}

Drawing::~Drawing() = default;

DrawingObject *Drawing::addObject()
{
    return m_objects.append();
}

void Drawing::removeEmptyObjects()
{
    m_objects.removeEmpty();
}

void Drawing::transform(TransformKind kind, const QVariant &, const QVariant &, const QVariant &)
{
    const double top = m_bounds.y();
    const double height = m_bounds.height();
    PointExtremes extremes;
    bool inRange = true;
    for (DrawingObject &object : m_objects) {
        for (DrawingPoint *point : object.points) {
            if (kind == MirrorVertical)
                point->y = (height - point->y) + 2 * top;
            extremes.add(point->x, point->y);
            if (!isWithinCoordinateRange(point->x, point->y))
                inRange = false;
        }
    }
    m_bounds = extremes.rect();
    // A reader may have moved points since they were made (the SVG reader
    // maps its user units into millimetres), so what counts is where they
    // lie now.
    m_storage->setPointOutOfRange(!inRange);
}

bool Drawing::coordinatesInRange() const
{
    return !m_coordinateLost && !m_storage->pointOutOfRange();
}

bool pointsCoincide(const QPointF &a, const QPointF &b)
{
    return std::fabs(a.x() - b.x()) <= 1e-12 && std::fabs(a.y() - b.y()) <= 1e-12;
}
