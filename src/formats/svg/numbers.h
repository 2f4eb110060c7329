#pragma once

#include <QChar>

#include <memory>
#include <vector>

// The number syntax of SVG attributes. Every scanner takes a cursor into
// UTF-16 text and the end of that text, reads what it understands and leaves
// the cursor on the first character it did not take. Nothing is skipped
// before a number, and nothing here depends on the locale.

// A list of doubles that keeps its first eight entries in place, so that the
// numbers of an ordinary path command or transform never touch the heap.
class NumberBuffer
{
public:
    NumberBuffer() = default;
    NumberBuffer(const NumberBuffer &) = delete;
    NumberBuffer &operator=(const NumberBuffer &) = delete;

    int size() const { return m_size; }
    double operator[](int i) const { return m_data[i]; }
    void clear() { m_size = 0; }
    void push_back(double value)
    {
        if (m_size == m_capacity)
            grow();
        m_data[m_size++] = value;
    }

private:
    static constexpr int inlineCapacity = 8;

    void grow();

    double m_inline[inlineCapacity];
    std::unique_ptr<double[]> m_heap;
    double *m_data = m_inline;
    int m_size = 0;
    int m_capacity = inlineCapacity;
};

// Reads one number: an optional sign, digits, an optional fraction and an
// optional exponent, at most 255 characters. Text that holds no number
// reads as 0; an exponent without digits is consumed but ignored.
double parseNumber(const QChar *&cursor, const QChar *end);

// Reads numbers separated by white space and single commas, appending them
// to `numbers`. Stops on the first character that cannot start a number.
void parseNumberList(const QChar *&cursor, const QChar *end, NumberBuffer &numbers);
void parseNumberList(const QChar *&cursor, const QChar *end, std::vector<double> &numbers);

// Whether a number may begin here: a digit, a sign or a point.
inline bool canStartNumber(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || u == '-' || u == '+' || u == '.';
}

// Whether a number with at least one digit begins at the cursor.
bool numberBeginsAt(const QChar *cursor, const QChar *end);

// Reads one number as SVG's path grammar writes it: an optional sign, then
// digits with an optional fraction or a point with digits, then an optional
// exponent with its digits. False when the text at the cursor is not such a
// number, such as a sign or a point alone, or an exponent without digits.
bool parseGrammarNumber(const QChar *&cursor, const QChar *end, double &value);

// Reads such numbers separated by white space and single commas, appending
// them to `numbers`, up to the first character that cannot start a number.
// False at a number that breaks the grammar, or at a comma that no number
// follows; the numbers before it stay appended.
bool parseGrammarNumberList(const QChar *&cursor, const QChar *end, NumberBuffer &numbers);

inline void skipSpaces(const QChar *&cursor, const QChar *end)
{
    while (cursor != end && cursor->isSpace())
        ++cursor;
}
