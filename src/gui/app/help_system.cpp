#include "app/help_system.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMetaObject>

#include "app/help_window.h"
#include "app/main_frame.h"
#include "platform/text_format.h"

namespace elix {

std::string ManualFolderOf(const std::string& rootFolder) { return rootFolder + "/" + kManualSubfolder; }

std::string HelpPageName(std::string_view className) {
    const std::size_t colons = className.rfind("::");
    if (colons != std::string_view::npos) className.remove_prefix(colons + 2);
    return std::string(className) + ".html";
}

QString HelpPageFor(const QMetaObject& type, const QString& manualFolder) {
    for (const QMetaObject* meta = &type; meta; meta = meta->superClass()) {
        const QString page =
            manualFolder + QLatin1Char('/') + QString::fromStdString(HelpPageName(meta->className()));
        if (QFileInfo::exists(page)) return page;
    }
    return manualFolder + QLatin1Char('/') + QLatin1String(kManualIndex);
}

CHelpSystem::CHelpSystem(CMainFrame& frame)
    : QObject(&frame),
      m_frame(frame),
      m_manualFolder(QString::fromStdString(ManualFolderOf(frame.Paths().rootFolder))) {
    setObjectName(QStringLiteral("ElastrixHelpSystem"));
    qApp->installEventFilter(this);
}

bool CHelpSystem::ManualPresent() {
    const QString index = m_manualFolder + QLatin1Char('/') + QLatin1String(kManualIndex);
    if (QFileInfo::exists(index)) return true;
    m_frame.UserInterface().ShowMessage(Format(kNoManualText, index.toStdString()), MessageStyle::Exclamation,
                                        "Elastrix Help");
    return false;
}

void CHelpSystem::Show(CHelpWindow* window, const QString& page) {
    window->ShowPage(page);
    window->show();
    window->raise();
    window->activateWindow();
}

void CHelpSystem::ShowHelpTopics() {
    if (!ManualPresent()) return;
    if (!m_window) m_window = new CHelpWindow(m_manualFolder + QLatin1Char('/') + QLatin1String(kManualIndex), &m_frame);
    Show(m_window, m_manualFolder + QLatin1Char('/') + QLatin1String(kManualIndex));
}

void CHelpSystem::ShowHelpFor(QWidget* window) {
    if (!ManualPresent()) return;
    const QString index = m_manualFolder + QLatin1Char('/') + QLatin1String(kManualIndex);
    const QString page = window ? HelpPageFor(*window->metaObject(), m_manualFolder) : index;
    auto* dialog = qobject_cast<QDialog*>(window);
    if (dialog && dialog->isModal()) {
        // A modal dialog blocks every window but its own children.
        auto* help = dialog->findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!help) {
            help = new CHelpWindow(index, dialog);
            help->setAttribute(Qt::WA_DeleteOnClose);
        }
        Show(help, page);
        return;
    }
    if (!m_window) m_window = new CHelpWindow(index, &m_frame);
    Show(m_window, page);
}

bool CHelpSystem::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    // F1 inside the help window itself is left to it.
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* window = widget ? widget->window() : nullptr;
    if (!window || qobject_cast<CHelpWindow*>(window)) return false;
    if (QWidget* modal = QApplication::activeModalWidget()) window = modal;
    ShowHelpFor(window);
    return true;
}

CHelpSystem& HelpSystemOf(CMainFrame& frame) {
    if (auto* help = frame.findChild<CHelpSystem*>(QString(), Qt::FindDirectChildrenOnly)) return *help;
    return *new CHelpSystem(frame);
}

bool ShowHelpPageOf(QWidget* window) {
    for (QWidget* w = window; w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<CMainFrame*>(w)) {
            HelpSystemOf(*frame).ShowHelpFor(window);
            return true;
        }
    }
    return false;
}

}  // namespace elix
