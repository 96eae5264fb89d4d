#include "platform/regional_format.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <vector>

namespace {

// One piece of a Qt date or time format: a run of one pattern letter, or literal text.
struct FormatToken {
    bool literal = false;
    QString text;  // the letters of a field, or the literal text without quotes
};

// Splits a Qt format into fields and literals; quoted text is literal, '' is a quote.
std::vector<FormatToken> Tokenize(const QString& format)
{
    std::vector<FormatToken> tokens;
    auto appendLiteral = [&](const QString& text) {
        if (!tokens.empty() && tokens.back().literal)
            tokens.back().text += text;
        else
            tokens.push_back({true, text});
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            QString text;
            ++i;
            while (i < format.size()) {
                if (format[i] == u'\'') {
                    if (i + 1 < format.size() && format[i + 1] == u'\'') {
                        text += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += format[i++];
            }
            appendLiteral(text.isEmpty() ? QStringLiteral("'") : text);
        } else if (c.isLetter() && c.unicode() < 0x80) {
            qsizetype j = i;
            while (j < format.size() && format[j] == c)
                ++j;
            tokens.push_back({false, format.mid(i, j - i)});
            i = j;
        } else {
            appendLiteral(QString(c));
            ++i;
        }
    }
    return tokens;
}

QString Quoted(const QString& literal)
{
    QString text = literal;
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

// The numeric short date of a locale: which field comes first, second and third, whether day
// and month carry a leading zero, and the text between the fields.
struct ShortDatePattern {
    char order[3] = {'y', 'M', 'd'};
    bool padDay = false;
    bool padMonth = false;
    std::string separator = "/";
};

// Only printable ASCII of the locale's separator is kept: the text goes into the settings file,
// and marks such as the right-to-left mark of Arabic formats have no code page 936 form.
std::string AsciiSeparator(const QString& text)
{
    std::string separator;
    for (QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && !c.isDigit())
            separator += static_cast<char>(c.unicode());
    return separator;
}

ShortDatePattern PatternOf(const QLocale& locale)
{
    ShortDatePattern pattern;
    const auto tokens = Tokenize(locale.dateFormat(QLocale::ShortFormat));
    char order[3];
    int fields = 0;
    bool padDay = false;
    bool padMonth = false;
    QString between;
    for (const FormatToken& token : tokens) {
        if (token.literal) {
            if (fields == 1)
                between += token.text;
            continue;
        }
        const QChar letter = token.text[0];
        const bool isDay = letter == u'd' && token.text.size() <= 2;  // ddd, dddd: weekday
        if (!isDay && letter != u'M' && letter != u'y')
            continue;
        if (fields == 3)
            break;
        order[fields++] = static_cast<char>(letter.unicode());
        if (isDay)
            padDay = token.text.size() == 2;
        if (letter == u'M')
            padMonth = token.text.size() == 2;  // MMM, MMMM: a month name, written as a number
    }
    const bool complete = fields == 3 && order[0] != order[1] && order[1] != order[2] &&
                          order[0] != order[2];
    if (!complete)
        return pattern;
    std::copy(order, order + 3, pattern.order);
    pattern.padDay = padDay;
    pattern.padMonth = padMonth;
    pattern.separator = AsciiSeparator(between);
    if (pattern.separator.empty())
        pattern.separator = "/";
    return pattern;
}

std::string Number(int value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

// A run of 1 to maxDigits ASCII digits taken from the front of text.
std::optional<int> TakeNumber(std::string_view& text, std::size_t minDigits, std::size_t maxDigits)
{
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n < minDigits || n > maxDigits)
        return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < n; ++i)
        value = value * 10 + (text[i] - '0');
    text.remove_prefix(n);
    return value;
}

QDate ToQDate(DateTime date)
{
    const CalendarDate parts = DecodeDate(date);
    return QDate(parts.year, parts.month, parts.day);
}

}  // namespace

std::string FormatShortDate(DateTime date, const QLocale& locale)
{
    const ShortDatePattern pattern = PatternOf(locale);
    const CalendarDate parts = DecodeDate(date);
    std::string text;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            text += pattern.separator;
        switch (pattern.order[i]) {
        case 'y': text += Number(parts.year, 4); break;
        case 'M': text += Number(parts.month, pattern.padMonth ? 2 : 1); break;
        default: text += Number(parts.day, pattern.padDay ? 2 : 1); break;
        }
    }
    return text;
}

std::optional<DateTime> ParseShortDate(const std::string& text, const QLocale& locale)
{
    const ShortDatePattern pattern = PatternOf(locale);
    std::string_view rest = text;
    int year = 0, month = 0, day = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (!rest.starts_with(pattern.separator))
                return std::nullopt;
            rest.remove_prefix(pattern.separator.size());
        }
        // Years are always written with four digits; a shorter year would need a guess at its
        // century, so it does not parse.
        const bool isYear = pattern.order[i] == 'y';
        const auto value = isYear ? TakeNumber(rest, 4, 4) : TakeNumber(rest, 1, 2);
        if (!value)
            return std::nullopt;
        (isYear ? year : pattern.order[i] == 'M' ? month : day) = *value;
    }
    if (!rest.empty() || year < 1 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return std::nullopt;
    return EncodeDate(year, month, day);
}

QString LongTimeText(int hour, int minute, int second, const QLocale& locale)
{
    std::vector<FormatToken> tokens;
    bool hasSeconds = false;
    for (FormatToken& token : Tokenize(locale.timeFormat(QLocale::LongFormat))) {
        if (!token.literal) {
            const QChar letter = token.text[0];
            if (letter == u't')
                continue;  // the time-zone name
            hasSeconds = hasSeconds || letter == u's';
            // "B" is a day period (上午, 下午) in some locales' formats; Qt knows it as AP.
            if (letter == u'B')
                token.text = QStringLiteral("AP");
        } else if (!tokens.empty() && tokens.back().literal) {
            tokens.back().text += token.text;  // the literals around a dropped zone name
            continue;
        }
        tokens.push_back(std::move(token));
    }
    if (!hasSeconds) {
        auto minutes = std::find_if(tokens.rbegin(), tokens.rend(), [](const FormatToken& t) {
            return !t.literal && t.text[0] == u'm';
        });
        tokens.insert(minutes.base(), {{true, QStringLiteral(":")}, {false, QStringLiteral("ss")}});
    }
    QString format;
    for (const FormatToken& token : tokens)
        format += token.literal ? Quoted(token.text) : token.text;
    // The zone name often sits in brackets or after a blank; none of that stays.
    QString text = locale.toString(QTime(hour, minute, second), format);
    text.remove(QStringLiteral("()")).remove(QStringLiteral("[]"));
    return text.trimmed();
}

QString WeekdayName(DateTime date, const QLocale& locale)
{
    return locale.dayName(ToQDate(date).dayOfWeek(), QLocale::LongFormat);
}
