// The help window: the manual's HTML pages in a QTextBrowser, with Back,
// Forward, Contents and Open in Browser. Works offline; the pages come from
// the manual folder of the installation.
#pragma once

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;

namespace elix {

class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // indexPage: the manual's contents page (the Contents button goes there).
    explicit CHelpWindow(const QString& indexPage, QWidget* parent = nullptr);

    // Shows a page of the manual (a file path, with an optional #anchor).
    void ShowPage(const QString& page);
    QUrl CurrentPage() const;
    QTextBrowser* Browser() const { return m_browser; }

private:
    QString m_indexPage;
    QTextBrowser* m_browser;
};

}  // namespace elix
