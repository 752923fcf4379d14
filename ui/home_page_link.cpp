// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/home_page_link.h"

#include "lang/catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

namespace cykl {

namespace {

// Numbers of the errors that the home-page link leaves to the unhandled-error report.
constexpr int NoWayToShowPage = 1001;
constexpr int NewBrowserFailed = 1002;

const QString PageFile = QStringLiteral("cyklometrika/index.html");

// Shows the page on the given browser; false on any failure.
bool TryShow(BrowserAutomation *browser, const QString &address)
{
    if (!browser)
        return false;
    try {
        browser->SetVisible(true);
        browser->Navigate(address);
        return true;
    } catch (const BrowserError &) {
        return false;
    }
}

} // namespace

// Installed: <prefix>/bin/CYKL beside <prefix>/share/cyklometrika. In the build tree the
// page is copied to <build>/share/cyklometrika, one or two levels above the executables.
QString HomePageAddress()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString installed = QDir::cleanPath(programDir.filePath("../share/" + PageFile));
    QStringList candidates { installed, QDir::cleanPath(programDir.filePath("share/" + PageFile)),
                             QDir::cleanPath(programDir.filePath("../../share/" + PageFile)),
                             QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                    PageFile) };
    for (const QString &candidate : std::as_const(candidates)) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return QUrl::fromLocalFile(candidate).toString();
    }
    return QUrl::fromLocalFile(installed).toString();
}

HomePageLink::HomePageLink(BrowserFactory &browsers, UrlOpener &fallback, QString address,
                           Lang lang)
    : browsers_(browsers), fallback_(fallback), address_(std::move(address)), lang_(lang)
{
}

// Retired browsers close their connections here and end on their own.
HomePageLink::~HomePageLink() = default;

// A new browser that cannot show the page counts as no browser at all: the desktop's
// opener shows the page, and the held browser keeps its place.
void HomePageLink::Command2_Click()
{
    if (TryShow(Browser.get(), address_))
        return;
    Failure failure;
    if (std::unique_ptr<BrowserAutomation> fresh = ShowInNewBrowser(failure)) {
        // The replaced browser may still show windows the user works in: it stays
        // connected, unused, until its process ends or the program does.
        if (Browser)
            retired_.push_back(std::move(Browser));
        Browser = std::move(fresh);
        return;
    }
    if (!fallback_.OpenUrl(QUrl(address_)))
        throw ProgramError(
            failure.Number,
            Say("homepage.failed", lang_, { failure.Description, address_.toStdString() }));
}

// Starts a browser and shows the page in it; a browser that fails at that ends here.
std::unique_ptr<BrowserAutomation> HomePageLink::ShowInNewBrowser(Failure &failure)
{
    std::unique_ptr<BrowserAutomation> fresh;
    try {
        fresh = browsers_.CreateBrowser();
    } catch (const BrowserError &error) {
        failure
            = { NoWayToShowPage, Say("browser.cannot.start.why", lang_, { error.Text(lang_) }) };
        return nullptr;
    }
    if (!fresh) {
        failure = { NoWayToShowPage, std::string(Say("browser.cannot.start", lang_)) };
        return nullptr;
    }
    try {
        fresh->SetVisible(true);
        fresh->Navigate(address_);
    } catch (const BrowserError &error) {
        failure = { NewBrowserFailed, Say("browser.did.not.show", lang_, { error.Text(lang_) }) };
        return nullptr;
    }
    return fresh;
}

void HomePageLink::Shutdown()
{
    if (!Browser)
        return;
    try {
        Browser->Quit();
    } catch (const std::exception &) {
        // A browser the user has closed, or one that does not answer: nothing to report.
    }
}

} // namespace cykl
