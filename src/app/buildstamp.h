#pragma once
// The build stamp: the date and time at which the program was built, as two
// numbers (20211223 and seconds since midnight) that the version gate
// compares with accounts_dep.ver.

#include <QByteArray>
#include <compare>

namespace app {

struct BuildStamp {
    int date = 0;  // year * 10000 + month * 100 + day
    int time = 0;  // seconds since midnight
    // Later date first, then later time.
    auto operator<=>(const BuildStamp&) const = default;
};

// "Dec 23 2021" -> 20211223, "Jan  5 2022" -> 20220105; a text of question
// marks (no date known) gives 19000101. The form of the compiler's __DATE__.
int buildDateNumber(const QByteArray& dateText);
// "12:05:15" -> 43515. The form of the compiler's __TIME__.
int buildTimeNumber(const QByteArray& timeText);
BuildStamp parseBuildStamp(const QByteArray& dateText, const QByteArray& timeText);

// The stamp of this build of the program. Its definition is compiled anew on
// every build of the program's executable (it is not part of tabel_app).
BuildStamp thisBuild();

}  // namespace app
