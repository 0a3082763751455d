#include "shell/setup/settingbinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "views/common/storedtext.h"

namespace orv {

namespace {

// A number field's text as an integer, 0 for a text that is none.
std::int32_t NumberIn(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

void Show(QCheckBox* box, bool value) { box->setChecked(value); }
void Show(QSpinBox* box, std::int32_t value) { box->setValue(value); }
void Show(QComboBox* box, std::int32_t value) { box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1); }
void Show(QComboBox* box, const std::string& text) { box->setCurrentText(DecodeStored(text)); }
void Show(QLineEdit* edit, const std::string& text) { edit->setText(DecodeStored(text)); }
void Show(QLineEdit* edit, std::int32_t value) { edit->setText(QString::number(value)); }

bool Shown(const QCheckBox* box, bool) { return box->isChecked(); }
std::int32_t Shown(const QSpinBox* box, std::int32_t) { return box->value(); }
std::int32_t Shown(const QComboBox* box, std::int32_t fallback)
{
    return box->currentIndex() >= 0 ? box->currentIndex() : fallback;
}
std::string Shown(const QComboBox* box, const std::string&) { return EncodeTyped(box->currentText()); }
std::string Shown(const QLineEdit* edit, const std::string&) { return EncodeTyped(edit->text()); }
std::int32_t Shown(const QLineEdit* edit, std::int32_t fallback)
{
    return edit->text().isEmpty() ? fallback : NumberIn(edit->text());
}

}  // namespace

void SettingBindings::Load(const Settings& s) const
{
    for (const Any& any : bindings_)
        std::visit([&s](const auto& b) {
            const QSignalBlocker block(b.widget);
            Show(b.widget, s.*b.member);
        }, any);
}

void SettingBindings::Apply(Settings& s) const
{
    const Settings defaults;
    for (const Any& any : bindings_)
        std::visit([&](const auto& b) { s.*b.member = Shown(b.widget, defaults.*b.member); }, any);
}

}  // namespace orv
