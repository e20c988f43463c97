#include "model/elix_doc.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {

CElixDoc::CElixDoc() { DeleteContents(); }

CElixDoc::~CElixDoc() { DeleteWorkingFile(); }

void CElixDoc::SetPathName(const std::string& path) {
    m_pathName = path;
    m_title = FileNameOf(path);
}

void CElixDoc::DeleteContents() {
    DeleteWorkingFile();
    image.Reset();
    programFormatVersion = kProgramFormatVersion;
    fileFormatVersion = kProgramFormatVersion;
    ImageFileName = "None";
    WorkingFileName = "None";
    geometryFormat = 1;
    GeometryModified = false;
    SizeText.clear();
    comment.clear();
    job = CJobParameters{};
    originOffsetX = 0.0f;
    originOffsetY = 0.0f;
    DisplayCategory.clear();
    for (CPlotData& plot : plotData) plot.Reset();
    waveforms = CWaveformStore{};
    m_materials.Reset();
    m_boundaryConditions.Reset();
    m_sources.Reset();
    m_receivers.Reset();
    m_electrodes.Reset();
    m_electrodePairs.Reset();
    m_messageText.clear();
    m_modified = false;
}

void CElixDoc::TranslateItems(float dx, float dy) {
    for (int k = 0; k < m_boundaryConditions.Count(); ++k) m_boundaryConditions[k].Translate(dx, dy);
    for (int k = 0; k < m_sources.Count(); ++k) m_sources[k].Translate(dx, dy);
    for (int k = 0; k < m_receivers.Count(); ++k) m_receivers[k].Translate(dx, dy);
}

MessageAnswer CElixDoc::ReportMessage(const std::string& text, MessageStyle style, const std::string& title) {
    if (m_batchLog) {
        *m_batchLog << Format("%s\n(%s) %s\n", CurrentCalendarTimeText(), m_title, text);
        m_batchLog->flush();
        return MessageAnswer::Yes;
    }
    if (m_ui) return m_ui->ShowMessage(text, style, title);
    return style == MessageStyle::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
}

int CElixDoc::AddViewObserver(ViewObserver observer) {
    const int id = m_nextObserverId++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void CElixDoc::RemoveViewObserver(int id) {
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void CElixDoc::UpdateAllViews(char hint) {
    // A copy, so an observer may unregister itself while being called.
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers)
        if (observer) observer(hint);
}

}  // namespace elix
