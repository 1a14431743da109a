// SPDX-License-Identifier: GPL-3.0-or-later
// The evidence behind an equivalent mutant in mutants.txt: (100 ÷ maximum) × achieved and
// 100 × achieved ÷ maximum differ at most in the double's last bit, and no input a teacher types
// shows or grades differently for it. Counts the inputs, the ones whose doubles differ, and the
// ones shown or graded differently, which must be none.
#include "grading/Calculation.h"
#include "grading/Numbers.h"

#include <QLocale>
#include <cstdio>

int main() {
    const QLocale german(QLocale::German, QLocale::Germany);
    const grading::Keys keys(german);
    long long inputs = 0;
    long long otherBit = 0;
    long long shownOrGradedOtherwise = 0;
    // Maxima 0,5 to 300 in half points; achieved points 0 to the maximum in hundredths.
    for (int halves = 1; halves <= 600; ++halves) {
        const double maximum = halves / 2.0;
        for (int hundredths = 0; hundredths <= halves * 50; ++hundredths) {
            const double achieved = hundredths / 100.0;
            const double divisionFirst = (100.0 / maximum) * achieved;
            const double multiplicationFirst = 100.0 * achieved / maximum;
            ++inputs;
            if (divisionFirst == multiplicationFirst) {
                continue;
            }
            ++otherBit;
            const bool shownAlike =
                grading::formatPercentage(grading::roundToSingle(divisionFirst), german) ==
                grading::formatPercentage(grading::roundToSingle(multiplicationFirst), german);
            bool gradedAlike = true;
            for (const grading::Key& key : keys.all()) {
                gradedAlike =
                    gradedAlike && grading::gradeForExactPercentage(*key, divisionFirst) ==
                                       grading::gradeForExactPercentage(*key, multiplicationFirst);
            }
            if (!shownAlike || !gradedAlike) {
                ++shownOrGradedOtherwise;
                std::printf("differs: %g of %g\n", achieved, maximum);
            }
        }
    }
    std::printf("%lld inputs, %lld differ in the last bit, %lld shown or graded otherwise\n",
                inputs, otherBit, shownOrGradedOtherwise);
    return shownOrGradedOtherwise == 0 ? 0 : 1;
}
