#pragma once

#include "coordinaterange.h"
#include "drawingnotes.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QVariant>
#include <QVector>

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

class DrawingObject;
class DrawingStorage;

// One vertex. Records live in storage owned by the drawing, so a pointer to
// a point stays valid until the drawing is destroyed.
struct DrawingPoint
{
    double x;
    double y;
    DrawingObject *owner;
    qint32 index;
};

// The vertices of one polyline, in drawing order.
//
// Consecutive points of an object nearly always sit next to each other in
// the drawing's point storage, so the list keeps the first record and a
// count rather than a pointer per point. Only an object whose points are
// interleaved with another object's keeps a table of runs.
class DrawingPointList
{
    struct Run
    {
        DrawingPoint *first;
        qint32 start;
        qint32 count;
    };
    using Runs = std::vector<Run>;

public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = DrawingPoint *;
        using difference_type = std::ptrdiff_t;
        using pointer = DrawingPoint *const *;
        using reference = DrawingPoint *;

        const_iterator() = default;
        DrawingPoint *operator*() const { return m_current; }
        const_iterator &operator++()
        {
            if (++m_current == m_runEnd)
                enterNextRun();
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator &other) const { return m_current == other.m_current; }
        bool operator!=(const const_iterator &other) const { return m_current != other.m_current; }

    private:
        friend class DrawingPointList;
        void enterNextRun();

        DrawingPoint *m_current = nullptr;
        DrawingPoint *m_runEnd = nullptr;
        const Run *m_nextRun = nullptr;
        const Run *m_runsEnd = nullptr;
    };

    DrawingPointList() = default;
    DrawingPointList(const DrawingPointList &) = delete;
    DrawingPointList &operator=(const DrawingPointList &) = delete;
    ~DrawingPointList();

    int size() const { return m_size; }
    int count() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    DrawingPoint *at(int i) const;
    DrawingPoint *operator[](int i) const { return at(i); }
    DrawingPoint *first() const { return at(0); }
    DrawingPoint *last() const;

    const_iterator begin() const;
    const_iterator end() const { return const_iterator(); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    QVector<DrawingPoint *> toVector() const;

private:
    friend class DrawingObject;
    void append(DrawingPoint *point);

    union {
        DrawingPoint *m_head = nullptr; // when the points form one run
        Runs *m_runs;                   // when m_scattered is set
    };
    qint32 m_size = 0;
    bool m_scattered = false;
};

// One polyline of a drawing. Objects are created by Drawing::addObject and
// live where they were created until the drawing is destroyed; they cannot
// be copied, since a copy would share its point records.
class DrawingObject
{
public:
    DrawingObject(const DrawingObject &) = delete;
    DrawingObject &operator=(const DrawingObject &) = delete;

    DrawingPoint *appendPoint(const QPointF &p);
    DrawingPoint *lastPoint() const { return points.last(); }

    DrawingPointList points;
    qint32 color = 0;

private:
    friend class DrawingStorage;
    friend class DrawingObjectList;
    DrawingObject() = default;
    ~DrawingObject() = default;

    bool m_removed = false;
};

// The objects of a drawing in the order in which they were added.
class DrawingObjectList
{
public:
    template<typename Object>
    class basic_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = DrawingObject;
        using difference_type = std::ptrdiff_t;
        using pointer = Object *;
        using reference = Object &;

        basic_iterator() = default;
        Object &operator*() const { return *current(); }
        Object *operator->() const { return current(); }
        basic_iterator &operator++()
        {
            advance();
            return *this;
        }
        basic_iterator operator++(int)
        {
            basic_iterator before = *this;
            advance();
            return before;
        }
        bool operator==(const basic_iterator &other) const { return m_slot == other.m_slot; }
        bool operator!=(const basic_iterator &other) const { return m_slot != other.m_slot; }

    private:
        friend class DrawingObjectList;
        basic_iterator(const DrawingObjectList *list, int slot)
            : m_list(list)
            , m_slot(slot)
        {
            skipRemoved();
        }
        Object *current() const { return m_list->slot(m_slot); }
        void advance()
        {
            ++m_slot;
            skipRemoved();
        }
        void skipRemoved()
        {
            while (m_slot < m_list->m_slotCount && m_list->slot(m_slot)->m_removed)
                ++m_slot;
        }

        const DrawingObjectList *m_list = nullptr;
        int m_slot = 0;
    };
    using iterator = basic_iterator<DrawingObject>;
    using const_iterator = basic_iterator<const DrawingObject>;

    int size() const { return m_slotCount - m_removedCount; }
    int count() const { return size(); }
    bool isEmpty() const { return size() == 0; }

    DrawingObject &operator[](int i) { return *object(i); }
    const DrawingObject &operator[](int i) const { return *object(i); }
    const DrawingObject &at(int i) const { return *object(i); }
    DrawingObject &first() { return *object(0); }
    const DrawingObject &first() const { return *object(0); }
    DrawingObject &last() { return *object(size() - 1); }
    const DrawingObject &last() const { return *object(size() - 1); }

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, m_slotCount); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_slotCount); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

private:
    friend class Drawing;
    explicit DrawingObjectList(DrawingStorage &storage);
    DrawingObjectList(const DrawingObjectList &) = delete;
    DrawingObjectList &operator=(const DrawingObjectList &) = delete;

    DrawingObject *slot(int slot) const;
    DrawingObject *object(int i) const;
    DrawingObject *append();
    void removeEmpty();

    DrawingStorage &m_storage;
    int m_slotCount = 0;
    int m_removedCount = 0;
    // Positions of the live objects, built on demand once objects were removed.
    mutable std::vector<int> m_liveSlots;
};

// Takes the objects of a drawing while a reader is still filling it, for
// work that can begin before the whole file is read.
class DrawingFollower
{
public:
    // Called on the reader's thread when the reader is done with an object:
    // its points stay as they are from then on, and the objects come in
    // the drawing's order. What happens to them must not touch the drawing
    // itself, which the reader goes on changing.
    virtual void objectFinished(const DrawingObject &object) = 0;

protected:
    ~DrawingFollower() = default;
};

enum TransformKind {
    MirrorVertical = 3,
};

// An ordered list of polylines in one unit, with a stored bounding box that
// the readers set once they are done.
class Drawing : public QObject
{
    Q_OBJECT

public:
    Drawing();
    ~Drawing() override;

    QRectF &bounds() { return m_bounds; }
    const QRectF &bounds() const { return m_bounds; }
    void setBounds(const QRectF &bounds) { m_bounds = bounds; }

    DrawingObjectList &objects() { return m_objects; }
    const DrawingObjectList &objects() const { return m_objects; }

    DrawingObject *addObject();
    void removeEmptyObjects();

    // Readers that never come back to an object once they started the next
    // one say so for each of them, which lets a follower start early.
    void setFollower(DrawingFollower *follower) { m_follower = follower; }
    void markFinished(const DrawingObject &object)
    {
        if (m_follower)
            m_follower->objectFinished(object);
    }
    void transform(TransformKind kind, const QVariant &a, const QVariant &b, const QVariant &c);

    // False once a point lies out of range (see isWithinCoordinateRange) or
    // a reader found a coordinate that could not become a point at all. A
    // controller stops on such a word or misreads it, so a drawing out of
    // range must not be written. A transform judges every point afresh.
    bool coordinatesInRange() const;
    // For a reader whose file held a coordinate that the drawing lacks
    // because nothing could be drawn of it.
    void markCoordinateOutOfRange() { m_coordinateLost = true; }

    // For a reader that stopped because its compressed file would inflate
    // past what one file may; it then fails, since the drawing holds only
    // the beginning of what the file describes.
    void markInflateLimitReached() { m_inflateLimitReached = true; }
    bool inflateLimitReached() const { return m_inflateLimitReached; }

    // What the reader met and did not draw as the file means it.
    DrawingNotes &notes() { return m_notes; }
    const DrawingNotes &notes() const { return m_notes; }

    // Why a reader failed, where it can say more than that: a short text
    // in the current language, such as where a file ends early.
    void setFailure(const QString &reason) { m_failure = reason; }
    const QString &failure() const { return m_failure; }

private:
    QRectF m_bounds;
    std::unique_ptr<DrawingStorage> m_storage;
    DrawingObjectList m_objects;
    DrawingFollower *m_follower = nullptr;
    bool m_coordinateLost = false;
    bool m_inflateLimitReached = false;
    DrawingNotes m_notes;
    QString m_failure;
};

bool pointsCoincide(const QPointF &a, const QPointF &b);
