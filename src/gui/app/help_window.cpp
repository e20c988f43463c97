#include "app/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

namespace elix {

namespace {

QUrl PageUrl(const QString& page) {
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(QFileInfo(hash < 0 ? page : page.left(hash)).absoluteFilePath());
    if (hash >= 0) url.setFragment(page.mid(hash + 1));
    return url;
}

}  // namespace

CHelpWindow::CHelpWindow(const QString& indexPage, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_indexPage(indexPage), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("ElastrixHelp"));
    setWindowTitle(QStringLiteral("Elastrix Help"));
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar(QStringLiteral("Help"));
    bar->setMovable(false);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    QAction* contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Contents"));
    bar->addSeparator();
    QAction* browser = bar->addAction(QStringLiteral("Open in &Browser"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(contents, &QAction::triggered, this, [this] { ShowPage(m_indexPage); });
    // The same page in the user's web browser (for printing, searching).
    connect(browser, &QAction::triggered, this, [this] { QDesktopServices::openUrl(m_browser->source()); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Elastrix Help")
                                       : title + QStringLiteral(" - Elastrix Help"));
    });
    resize(820, 640);
}

void CHelpWindow::ShowPage(const QString& page) { m_browser->setSource(PageUrl(page)); }

QUrl CHelpWindow::CurrentPage() const { return m_browser->source(); }

}  // namespace elix
