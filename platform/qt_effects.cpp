// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_effects.h"

#include "platform/sound_theme_bell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <memory>
#include <utility>

namespace cykl {

namespace {

QMessageBox::Icon IconOf(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Stop:
        return QMessageBox::Critical;
    case MessageStyle::Exclamation:
        return QMessageBox::Warning;
    case MessageStyle::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QString Text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

QtMessageBox::QtMessageBox(QWidget *parent) : parent_(parent) { }

// The box's one button is also its escape button, so the close control and Escape
// close it as OK does.
void QtMessageBox::Show(std::string_view text, std::string_view title, MessageStyle style)
{
    QMessageBox box(IconOf(style), Text(title), Text(text), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

QtBeeper::QtBeeper()
    : QtBeeper(QGuiApplication::platformName(),
               { [] { QApplication::beep(); },
                 [bell = std::make_shared<SoundThemeBell>()] { return bell->Ring(); } })
{
}

QtBeeper::QtBeeper(QStringView platformName, Bells bells)
    : themeFirst_(platformName.startsWith(u"wayland")), bells_(std::move(bells))
{
}

void QtBeeper::Beep()
{
    if (!themeFirst_ || !bells_.SoundTheme())
        bells_.Platform();
}

QDate SystemClock::Today() const
{
    return QDate::currentDate();
}

bool DesktopUrlOpener::OpenUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace cykl
