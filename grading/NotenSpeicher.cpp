// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/NotenSpeicher.h"

#include <algorithm>
#include <iterator>

namespace grading {

QString NotenSpeicher::title() {
    return QStringLiteral("Noten-Speicher");
}

QString NotenSpeicher::heading() {
    return QStringLiteral("Folgende Noten wurden berechnet: ");
}

void NotenSpeicher::append(const QString& result, const Key& key, std::size_t grade,
                           const Score& score, const QString& taskPoints) {
    QString line = result + QLatin1String(" = ") + key->grades[grade].text + suffix(*key);
    if (!taskPoints.isEmpty()) {
        line += QLatin1String(", Aufgaben ") + taskPoints;
    }
    m_entries.push_back({std::move(line), key, grade, score, ++m_graded});
    m_notenspiegel.add(key, grade);
    m_taskAnalysis.add(score, m_graded);
}

void NotenSpeicher::clear() {
    m_entries.clear();
    m_notenspiegel.clear();
    m_taskAnalysis.clear();
}

NotenSpeicher::Removed NotenSpeicher::remove(std::vector<std::size_t> places) {
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    places.erase(std::lower_bound(places.begin(), places.end(), m_entries.size()), places.end());

    Removed removed;
    if (places.empty()) {
        return removed;
    }
    removed.reserve(places.size());
    for (std::size_t place : places) {
        removed.push_back({place, std::move(m_entries[place])});
        const Entry& entry = removed.back().entry;
        m_notenspiegel.remove(entry.key, entry.grade);
        m_taskAnalysis.remove(entry.score, entry.graded);
    }
    // One pass closes every gap, however many entries go.
    std::size_t next = 0;
    auto kept = m_entries.begin() + static_cast<std::ptrdiff_t>(places.front());
    for (std::size_t place = places.front(); place < m_entries.size(); ++place) {
        if (next < places.size() && places[next] == place) {
            ++next;
            continue;
        }
        *kept++ = std::move(m_entries[place]);
    }
    m_entries.erase(kept, m_entries.end());
    return removed;
}

void NotenSpeicher::restore(std::span<const RemovedEntry> removed) {
    for (const auto& [first, end] :
         runsOfNeighbours(removed, [](const RemovedEntry& taken) { return taken.place; })) {
        std::vector<Entry> entries;
        entries.reserve(end - first);
        for (std::size_t taken = first; taken < end; ++taken) {
            const Entry& entry = removed[taken].entry;
            entries.push_back(entry);
            m_notenspiegel.putBack(entry.key, entry.grade);
            m_taskAnalysis.add(entry.score, entry.graded);
        }
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(removed[first].place),
                         std::make_move_iterator(entries.begin()),
                         std::make_move_iterator(entries.end()));
    }
}

const NotenSpeicher::Entry* NotenSpeicher::newestUnder(const GradingKey& key) const {
    const Entry* newest = nullptr;
    for (const Entry& entry : m_entries) {
        if (sameIdentity(*entry.key, key)) {
            newest = &entry;
        }
    }
    return newest;
}

QString NotenSpeicher::entries() const {
    QString text;
    for (const Entry& entry : m_entries) {
        text += QLatin1Char('\r');
        text += entry.line;
    }
    return text;
}

QString NotenSpeicher::messageText() const {
    return heading() + QLatin1Char('\r') + entries();
}

} // namespace grading
