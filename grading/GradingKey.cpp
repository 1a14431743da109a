// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/GradingKey.h"

#include "grading/Decimal.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <span>

namespace grading {

namespace {

// A built-in key with whole-numbered grades: `bounds` ascending, so grades[0] is the best and
// earns the last bound.
GradingKey builtIn(const QString& name, std::span<const int> bounds, int worst, int step,
                   bool twoDigits, std::size_t firstWeak, std::array<QString, 3> headings,
                   const QLocale& locale) {
    GradingKey key{name, {}, firstWeak, headings[0], headings[1], headings[2]};
    for (std::size_t passed = bounds.size() + 1; passed-- > 0;) {
        const int number = worst + step * static_cast<int>(passed);
        QString text = decimalText(qint64{number}, 0, locale);
        if (twoDigits && number >= 0 && number < 10) {
            text.prepend(locale.zeroDigit());
        }
        key.grades.push_back(
            {text, passed == 0 ? std::nullopt : std::optional<double>(bounds[passed - 1]),
             100 * number});
    }
    return key;
}

constexpr std::array gymBounds{20, 28, 34, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95};
constexpr std::array ihkBounds{30, 50, 67, 81, 92};

} // namespace

QString gymName() {
    return QStringLiteral("GYM");
}

QString ihkName() {
    return QStringLiteral("IHK");
}

bool sameIdentity(const GradingKey& one, const GradingKey& other) {
    return one.name == other.name && one.scale == other.scale && one.firstWeak == other.firstWeak &&
           one.approval == other.approval &&
           std::equal(one.grades.begin(), one.grades.end(), other.grades.begin(),
                      other.grades.end(), [](const Grade& a, const Grade& b) {
                          return a.text == b.text && a.value == b.value;
                      });
}

GradingKey withOwnHeadings(GradingKey key) {
    key.gradeHeading = QStringLiteral("Note");
    key.averageHeading = QStringLiteral("Durchschnitt");
    if (key.firstWeak && !key.grades.empty()) {
        const QString& first = key.grades[*key.firstWeak].text;
        key.weakHeading =
            *key.firstWeak + 1 == key.grades.size()
                ? QStringLiteral("Note %1").arg(first)
                : QStringLiteral("Noten %1 bis %2").arg(first, key.grades.back().text);
    }
    return key;
}

Keys::Keys(const QLocale& locale, const std::vector<GradingKey>& own) {
    m_all.push_back(std::make_shared<const GradingKey>(
        builtIn(gymName(), gymBounds, 0, 1, true, 11,
                {QStringLiteral("Punkte"), QStringLiteral("Durchschnitt (Punkte)"),
                 QStringLiteral("unter 05 Punkten")},
                locale)));
    m_all.push_back(std::make_shared<const GradingKey>(
        builtIn(ihkName(), ihkBounds, 6, -1, false, 4,
                {QStringLiteral("Note"), QStringLiteral("Durchschnittsnote"),
                 QStringLiteral("Noten 5 und 6")},
                locale)));
    setOwn(own);
}

std::vector<GradingKey> Keys::own() const {
    std::vector<GradingKey> own;
    for (auto key = m_all.begin() + 2; key != m_all.end(); ++key) {
        own.push_back(**key);
    }
    return own;
}

void Keys::setOwn(const std::vector<GradingKey>& own) {
    m_all.resize(2);
    for (const GradingKey& key : own) {
        m_all.push_back(std::make_shared<const GradingKey>(key));
    }
}

const Key& Keys::fromText(const QString& keyText) const {
    const auto named = std::find_if(m_all.begin(), m_all.end(),
                                    [&](const Key& key) { return key->name == keyText; });
    return named != m_all.end() ? *named : gym();
}

bool Keys::namesAMissingKey(const QString& keyText) const {
    if (keyText.isEmpty() || fromText(keyText) != gym()) {
        return false;
    }
    return keyText.compare(gym()->name, Qt::CaseInsensitive) != 0 &&
           keyText.compare(ihk()->name, Qt::CaseInsensitive) != 0;
}

// Climbs from the worst grade while the percentage reaches the next better one's bound; NaN
// reaches none and so stays worst.
std::size_t gradeForPercentage(const GradingKey& key, double percentage) {
    std::size_t grade = key.grades.size() - 1;
    while (grade > 0 && key.grades[grade - 1].bound && percentage >= *key.grades[grade - 1].bound) {
        --grade;
    }
    return grade;
}

std::size_t gradeForHalfErrors(const GradingKey& key, qint64 halfErrors, qint64 words) {
    auto passes = [&](double bound) {
        return key.scale == Scale::ErrorsPer100Words
                   ? errorsPer100Words(halfErrors, words) > std::llround(bound * 100.0)
                   : halfErrors > mostHalfErrors(key.scale, bound, words);
    };
    std::size_t grade = 0;
    while (grade + 1 < key.grades.size() && key.grades[grade].bound &&
           passes(*key.grades[grade].bound)) {
        ++grade;
    }
    return grade;
}

QString suffix(const GradingKey& key) {
    return QStringLiteral(" (") + key.name + QLatin1Char(')');
}

} // namespace grading
