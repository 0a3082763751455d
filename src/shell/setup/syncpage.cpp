#include "shell/setup/syncpage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>

#include "sync/davclient.h"
#include "sync/password.h"
#include "sync/syncjob.h"

namespace orv {

namespace {

template <class W>
W* Named(W* widget, const char* name, const QString& accessible)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

QComboBox* CollectionBox(const char* name, const QString& accessible)
{
    auto* box = Named(new QComboBox, name, accessible);
    // A path can be typed where the server lists none.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // A screen reader names the field typed into, not only its box.
    box->lineEdit()->setAccessibleName(accessible);
    return box;
}

// The collection path a box shows: the item's path, or the text typed.
std::string PathOf(const QComboBox* box)
{
    const int i = box->findText(box->currentText());
    const QVariant data = i >= 0 ? box->itemData(i) : QVariant();
    return (data.isValid() ? data.toString() : box->currentText().trimmed()).toStdString();
}

void Show(QComboBox* box, const std::string& path)
{
    const QString p = QString::fromStdString(path);
    const int i = box->findData(p);
    if (i >= 0) box->setCurrentIndex(i);
    else box->setEditText(p);
}

}  // namespace

SyncPage::SyncPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SyncPage"));
    SyncServer = Named(new QLineEdit, "SyncServer", QStringLiteral("Server address"));
    SyncServer->setPlaceholderText(QStringLiteral("https://dav.example.org"));
    SyncUser = Named(new QLineEdit, "SyncUser", QStringLiteral("User name"));
    SyncPassword = Named(new QLineEdit, "SyncPassword", QStringLiteral("Password"));
    SyncPassword->setEchoMode(QLineEdit::Password);
    SyncPassword->setPlaceholderText(QStringLiteral("kept in the desktop's secret store"));
    SyncPasswordCommand = Named(new QLineEdit, "SyncPasswordCommand", QStringLiteral("Password command"));
    SyncPasswordCommand->setPlaceholderText(QStringLiteral("optional: a command that prints the password"));
    SyncFind = Named(new QPushButton(QStringLiteral("Find calendars and address books")), "SyncFind",
                     QStringLiteral("Find calendars and address books"));
    SyncFind->setAutoDefault(false);
    SyncCalendar = CollectionBox("SyncCalendar", QStringLiteral("Calendar"));
    SyncAddressBook = CollectionBox("SyncAddressBook", QStringLiteral("Address book"));
    SyncEvery = Named(new QSpinBox, "SyncEvery", QStringLiteral("Sync every"));
    const SettingRange range = setting_range::SyncEvery;
    SyncEvery->setRange(range.min, range.max);
    SyncEvery->setSuffix(QStringLiteral(" minutes"));
    SyncEvery->setSpecialValueText(QStringLiteral("only with \"Sync now\""));
    SyncStatus = Named(new QLabel, "SyncStatus", QStringLiteral("Last sync"));
    SyncStatus->setWordWrap(true);
    SyncStatus->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    BuildLayout();
    connect(SyncFind, &QPushButton::clicked, this, &SyncPage::FindCollections);
}

void SyncPage::BuildLayout()
{
    auto* form = new QFormLayout;
    const auto row = [form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(QStringLiteral("&Server"), SyncServer);
    row(QStringLiteral("&User name"), SyncUser);
    row(QStringLiteral("&Password"), SyncPassword);
    row(QStringLiteral("Password co&mmand"), SyncPasswordCommand);
    form->addRow(QString(), SyncFind);
    row(QStringLiteral("&Calendar"), SyncCalendar);
    row(QStringLiteral("&Address book"), SyncAddressBook);
    row(QStringLiteral("Sync &every"), SyncEvery);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* note = new QLabel(QStringLiteral("The calendar gets the calendar events, the recurrent events and the "
                                           "birthdays; the address book the people. Leave one empty to keep it here."));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(SyncStatus);
    layout->addStretch(1);
}

SyncPage::~SyncPage()
{
    if (finder_) finder_->wait();
}

void SyncPage::Load(const Settings& s)
{
    SyncServer->setText(QString::fromStdString(s.SyncServer));
    SyncUser->setText(QString::fromStdString(s.SyncUser));
    SyncPassword->clear();
    SyncPasswordCommand->setText(QString::fromStdString(s.SyncPasswordCommand));
    Show(SyncCalendar, s.SyncCalendar);
    Show(SyncAddressBook, s.SyncAddressBook);
    SyncEvery->setValue(s.SyncEvery);
    trusted_ = s.SyncTrusted;
}

void SyncPage::Apply(Settings& s) const
{
    s.SyncServer = SyncServer->text().trimmed().toStdString();
    s.SyncUser = SyncUser->text().trimmed().toStdString();
    s.SyncPasswordCommand = SyncPasswordCommand->text().toStdString();
    s.SyncCalendar = PathOf(SyncCalendar);
    s.SyncAddressBook = PathOf(SyncAddressBook);
    s.SyncEvery = SyncEvery->value();
    s.SyncTrusted = trusted_;
}

QString SyncPage::TypedPassword() const { return SyncPassword->text(); }

void SyncPage::SetOutcome(const QString& outcome) { SyncStatus->setText(QStringLiteral("Last sync: ") + outcome); }

void SyncPage::FindCollections()
{
    if (finder_) return;
    Settings s;
    Apply(s);
    const QString typed = TypedPassword();
    SyncFind->setEnabled(false);
    SyncStatus->setText(QStringLiteral("Asking the server…"));
    finder_ = QThread::create([this, s, typed] {
        QString failure, fingerprint;
        QStringList calendars, books;
        std::string password = typed.toStdString();
        if (password.empty()) {
            const sync::PasswordResult p = sync::SyncPassword(s.SyncPasswordCommand, s.SyncServer, s.SyncUser);
            if (p) password = p.password;
        }
        sync::DavClient client(sync::DavAccountFrom(s, password));
        const sync::DavDiscovery found = client.Discover();
        if (!found.status) {
            failure = QString::fromStdString(found.status.message);
            fingerprint = QString::fromStdString(found.status.certFingerprint);
        }
        for (const sync::DavCollection& c : found.collections) {
            const QString entry = QString::fromStdString(c.displayName.empty() ? c.href : c.displayName) +
                                  QStringLiteral("\t") + QString::fromStdString(c.href);
            if (c.calendar && c.events) calendars << entry;
            if (c.addressBook) books << entry;
        }
        QMetaObject::invokeMethod(this, [=, this] { CollectionsFound(failure, fingerprint, calendars, books); });
    });
    connect(finder_, &QThread::finished, finder_, &QObject::deleteLater);
    finder_->start();
}

void SyncPage::CollectionsFound(const QString& failure, const QString& fingerprint, const QStringList& calendars,
                                const QStringList& books)
{
    finder_ = nullptr;
    SyncFind->setEnabled(true);
    if (!fingerprint.isEmpty()) {
        // A certificate no authority signed: only the user can say it is the server's.
        const auto answer = QMessageBox::question(
            this, QStringLiteral("ORV - Sync"),
            QStringLiteral("The server's certificate is not signed by an authority this computer trusts.\n\n"
                           "SHA-256 fingerprint:\n%1\n\nTrust this certificate for this server?")
                .arg(fingerprint));
        if (answer == QMessageBox::Yes) {
            trusted_ += (trusted_.empty() ? "" : ",") + fingerprint.toStdString();
            FindCollections();
            return;
        }
    }
    if (!failure.isEmpty()) {
        SyncStatus->setText(failure);
        return;
    }
    const auto fill = [](QComboBox* box, const QStringList& entries) {
        const std::string chosen = PathOf(box);
        box->clear();
        box->addItem(QStringLiteral("(not synced)"), QString());
        for (const QString& e : entries) box->addItem(e.section(QLatin1Char('\t'), 0, 0), e.section(QLatin1Char('\t'), 1));
        Show(box, chosen);
        if (chosen.empty() && box->count() > 1) box->setCurrentIndex(1);
    };
    fill(SyncCalendar, calendars);
    fill(SyncAddressBook, books);
    const auto count = [](qsizetype n, const QString& one, const QString& many) {
        return QString::number(n) + QLatin1Char(' ') + (n == 1 ? one : many);
    };
    SyncStatus->setText(QStringLiteral("Found %1 and %2.")
                            .arg(count(calendars.size(), QStringLiteral("calendar"), QStringLiteral("calendars")),
                                 count(books.size(), QStringLiteral("address book"), QStringLiteral("address books"))));
}

}  // namespace orv
