#pragma once
// The run-wide state: what the journal has chosen (its date, the current
// shift 1..4 with 4 for overtime, the day-off flag), who has logged in, and
// the build stamp of the running program. The journal writes the first
// three as its controls change, the login window the user, the version gate
// the stamp; every other window only reads them.

#include <QDate>
#include <QString>
#include <functional>

namespace session {

class RunState {
public:
    QDate journalDate() const { return journalDate_; }
    int currentShift() const { return currentShift_; }
    bool dayOff() const { return dayOff_; }
    void setJournalDate(const QDate& date) { journalDate_ = date; }
    void setCurrentShift(int shift) { currentShift_ = shift; }
    void setDayOff(bool dayOff) { dayOff_ = dayOff; }

    const QString& userLogin() const { return userLogin_; }
    const QString& userPassword() const { return userPassword_; }
    void setUserLogin(const QString& login) { userLogin_ = login; }
    void setUserPassword(const QString& password) { userPassword_ = password; }

    int buildDate() const { return buildDate_; }
    int buildTime() const { return buildTime_; }
    void setBuildStamp(int date, int time)
    {
        buildDate_ = date;
        buildTime_ = time;
    }

    // Today's date: the workstation's clock unless another clock is set.
    QDate today() const { return today_ ? today_() : QDate::currentDate(); }
    void setClock(std::function<QDate()> today) { today_ = std::move(today); }

private:
    QDate journalDate_;
    int currentShift_ = 1;
    bool dayOff_ = false;
    QString userLogin_;
    QString userPassword_;
    int buildDate_ = 0;
    int buildTime_ = 0;
    std::function<QDate()> today_;
};

}  // namespace session
