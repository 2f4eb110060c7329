#include "numbers.h"

#include <QtGlobal>

#include <charconv>
#include <cstring>
#include <limits>

namespace {

constexpr int maximumNumberLength = 255;
// Up to this length a number without exponent has at most nine digits,
// which a 32-bit integer holds.
constexpr int shortDecimalLength = 9;

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// The characters of one number, copied out of the UTF-16 text.
struct NumberText
{
    char text[maximumNumberLength + 1];
    int length = 0;

    bool hasRoom() const { return length < maximumNumberLength; }
    void append(char c) { text[length++] = c; }
};

void copyDigits(const QChar *&cursor, const QChar *end, NumberText &number)
{
    while (cursor != end && isDigit(*cursor) && number.hasRoom()) {
        number.append(char(cursor->unicode()));
        ++cursor;
    }
}

void copyNumber(const QChar *&cursor, const QChar *end, NumberText &number)
{
    if (cursor != end && *cursor == QLatin1Char('-')) {
        number.append('-');
        ++cursor;
    } else if (cursor != end && *cursor == QLatin1Char('+')) {
        ++cursor;
    }
    copyDigits(cursor, end, number);
    if (cursor != end && *cursor == QLatin1Char('.') && number.hasRoom()) {
        number.append('.');
        ++cursor;
        copyDigits(cursor, end, number);
    }
    if (cursor != end && (*cursor == QLatin1Char('e') || *cursor == QLatin1Char('E')) && number.hasRoom()) {
        number.append('e');
        ++cursor;
        if (cursor != end && (*cursor == QLatin1Char('-') || *cursor == QLatin1Char('+')) && number.hasRoom()) {
            number.append(char(cursor->unicode()));
            ++cursor;
        }
        copyDigits(cursor, end, number);
    }
}

// What strtod gives for a number beyond the range of doubles: the text holds
// at most 255 characters, so only a positive exponent can overflow and only
// a negative one can underflow.
double outOfRangeValue(const NumberText &number)
{
    const char *e = static_cast<const char *>(std::memchr(number.text, 'e', std::size_t(number.length)));
    const bool underflow = e && e[1] == '-';
    const double magnitude = underflow ? 0.0 : std::numeric_limits<double>::infinity();
    return number.text[0] == '-' ? -magnitude : magnitude;
}

// The longest valid prefix, as the C library's strtod reads it in the C
// locale.
double convertGeneral(const NumberText &number)
{
    double value = 0;
    const std::from_chars_result result = std::from_chars(number.text, number.text + number.length, value);
    if (result.ec == std::errc::result_out_of_range)
        return outOfRangeValue(number);
    if (result.ec != std::errc())
        return 0;
    return value;
}

// Reads numbers of at most nine characters without exponent, which are
// nearly all numbers, straight from the text: the digits as one integer
// over a power of ten, both exact doubles, so that the one division rounds
// as a full conversion would. False, with the cursor unmoved, for anything
// longer.
bool parseShortDecimal(const QChar *&cursor, const QChar *end, double &result)
{
    const QChar *p = cursor;
    int length = 0;
    const bool negative = p != end && *p == QLatin1Char('-');
    if (negative) {
        ++p;
        ++length;
    } else if (p != end && *p == QLatin1Char('+')) {
        ++p;
    }
    qint32 value = 0;
    qint32 divisor = 1;
    for (; p != end && isDigit(*p) && length < shortDecimalLength; ++p, ++length)
        value = value * 10 + (p->unicode() - '0');
    bool fraction = false;
    if (p != end && *p == QLatin1Char('.') && length < shortDecimalLength) {
        fraction = true;
        for (++p, ++length; p != end && isDigit(*p) && length < shortDecimalLength; ++p, ++length) {
            value = value * 10 + (p->unicode() - '0');
            divisor *= 10;
        }
    }
    if (p != end
        && (isDigit(*p) || (*p == QLatin1Char('.') && !fraction) || *p == QLatin1Char('e') || *p == QLatin1Char('E')))
        return false;
    const double magnitude = double(value) / double(divisor);
    result = negative ? -magnitude : magnitude;
    cursor = p;
    return true;
}

bool beginsNumber(const QChar *cursor, const QChar *end)
{
    if (cursor != end && (*cursor == QLatin1Char('-') || *cursor == QLatin1Char('+')))
        ++cursor;
    if (cursor != end && *cursor == QLatin1Char('.'))
        ++cursor;
    return cursor != end && isDigit(*cursor);
}

// The cursor is not at the end.
bool readGrammarNumber(const QChar *&cursor, const QChar *end, double &value)
{
    if (!isDigit(*cursor) && !beginsNumber(cursor, end))
        return false;
    if (parseShortDecimal(cursor, end, value))
        return true;
    value = parseNumber(cursor, end);
    // A number ends in a digit or a point; anything else is an exponent
    // that lacks its digits.
    const QChar last = cursor[-1];
    return isDigit(last) || last == QLatin1Char('.');
}

template<typename List>
void parseNumbersInto(const QChar *&cursor, const QChar *end, List &numbers)
{
    skipSpaces(cursor, end);
    while (cursor != end && canStartNumber(*cursor)) {
        numbers.push_back(parseNumber(cursor, end));
        skipSpaces(cursor, end);
        if (cursor != end && *cursor == QLatin1Char(','))
            ++cursor;
        skipSpaces(cursor, end);
    }
}

} // namespace

void NumberBuffer::grow()
{
    const int capacity = m_capacity * 2;
    std::unique_ptr<double[]> heap(new double[std::size_t(capacity)]);
    std::memcpy(heap.get(), m_data, sizeof(double) * std::size_t(m_size));
    m_heap = std::move(heap);
    m_data = m_heap.get();
    m_capacity = capacity;
}

double parseNumber(const QChar *&cursor, const QChar *end)
{
    double value;
    if (parseShortDecimal(cursor, end, value))
        return value;
    NumberText number;
    copyNumber(cursor, end, number);
    return convertGeneral(number);
}

bool numberBeginsAt(const QChar *cursor, const QChar *end)
{
    return beginsNumber(cursor, end);
}

bool parseGrammarNumber(const QChar *&cursor, const QChar *end, double &value)
{
    return cursor != end && readGrammarNumber(cursor, end, value);
}

bool parseGrammarNumberList(const QChar *&cursor, const QChar *end, NumberBuffer &numbers)
{
    skipSpaces(cursor, end);
    if (cursor == end || !canStartNumber(*cursor))
        return true;
    for (;;) {
        double value;
        if (!readGrammarNumber(cursor, end, value))
            return false;
        numbers.push_back(value);
        skipSpaces(cursor, end);
        if (cursor == end)
            return true;
        if (*cursor == QLatin1Char(',')) {
            ++cursor;
            skipSpaces(cursor, end);
            // A comma stands between two numbers only.
            if (cursor == end || !canStartNumber(*cursor))
                return false;
        } else if (!canStartNumber(*cursor)) {
            return true;
        }
    }
}

void parseNumberList(const QChar *&cursor, const QChar *end, NumberBuffer &numbers)
{
    parseNumbersInto(cursor, end, numbers);
}

void parseNumberList(const QChar *&cursor, const QChar *end, std::vector<double> &numbers)
{
    parseNumbersInto(cursor, end, numbers);
}
