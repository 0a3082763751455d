// The settings dialog's page "Sync": the server, the user, the password
// (kept in the desktop's secret store, never in the settings), the
// collections the calendar and the address book go to, found on the server,
// and how often to sync.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "core/settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QThread;

namespace orv {

class SyncPage : public QWidget {
    Q_OBJECT

public:
    explicit SyncPage(QWidget* parent = nullptr);
    ~SyncPage() override;

    void Load(const Settings& s);
    // The page's values into `s`; other values stay.
    void Apply(Settings& s) const;
    // The password typed since the page was loaded; empty: leave the stored one.
    QString TypedPassword() const;
    // The last sync's outcome, shown under the fields.
    void SetOutcome(const QString& outcome);

private:
    void BuildLayout();
    void FindCollections();
    void CollectionsFound(const QString& failure, const QString& fingerprint, const QStringList& calendars,
                          const QStringList& books);

    QLineEdit* SyncServer = nullptr;
    QLineEdit* SyncUser = nullptr;
    QLineEdit* SyncPassword = nullptr;
    QLineEdit* SyncPasswordCommand = nullptr;
    QPushButton* SyncFind = nullptr;
    QComboBox* SyncCalendar = nullptr;
    QComboBox* SyncAddressBook = nullptr;
    QSpinBox* SyncEvery = nullptr;
    QLabel* SyncStatus = nullptr;
    std::string trusted_;
    QThread* finder_ = nullptr;
};

}  // namespace orv
