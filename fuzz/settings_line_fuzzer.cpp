// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the settings-file reader: any bytes must be read or refused with a reason,
// never crash, and whatever is read must write back and read again unchanged.
#include "settings/SettingsLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const settings::ParsedLine parsed = settings::readSettingsBytes(bytes);
    if (!parsed.texts) {
        if (parsed.problem.isEmpty()) {
            std::abort(); // a refusal must say why
        }
        return 0;
    }
    // Whatever was read can be saved again, in one encoding or the other.
    if (!settings::whyNotStorable(*parsed.texts).isEmpty()) {
        std::abort();
    }
    const QByteArray written = settings::encodeSettingsLine(*parsed.texts);
    const settings::ParsedLine again = settings::readSettingsBytes(written);
    if (!again.texts || *again.texts != *parsed.texts) {
        std::abort();
    }
    return 0;
}
