// CElixDoc: one open model. It owns everything a model file stores plus the
// state editing and running need, as a composition of parts: the item
// lists, the geometry reference, the job parameters, the comment and the
// plot data of the last run. Views observe it; users are reached through
// its IUserInterface.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/plot_data.h"
#include "engine/waveform_file.h"
#include "geometry/geometry_image.h"
#include "model/boundary_condition.h"
#include "model/electrode.h"
#include "model/item_list.h"
#include "model/job_parameters.h"
#include "model/material_property.h"
#include "model/receiver.h"
#include "model/source.h"
#include "model/user_interface.h"

namespace elix {

struct CDirectories;

class CElixDoc {
public:
    static constexpr float kProgramFormatVersion = 2.42f;
    static constexpr int kPlotKinds = 5;

    CElixDoc();
    // Deletes the working file of the geometry image.
    ~CElixDoc();
    CElixDoc(const CElixDoc&) = delete;
    CElixDoc& operator=(const CElixDoc&) = delete;

    // --- identity and state -------------------------------------------
    const std::string& PathName() const { return m_pathName; }
    void SetPathName(const std::string& path);
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    bool IsRunning() const { return m_running; }
    void SetRunning(bool running) { m_running = running; }

    const std::string& MessageText() const { return m_messageText; }
    void SetMessageText(std::string text) { m_messageText = std::move(text); }

    // Back to the initial values of a new document (lists empty, job
    // parameters at their defaults, no image, the working file deleted);
    // path, title, views, the user interface and the batch log stay.
    void DeleteContents();

    // --- model data -----------------------------------------------------
    float programFormatVersion = kProgramFormatVersion;
    float fileFormatVersion = kProgramFormatVersion;
    std::string ImageFileName = "None";
    std::string WorkingFileName = "None";
    std::int16_t geometryFormat = 1;
    bool GeometryModified = false;
    std::string SizeText;
    std::string comment;  // lines separated by CR LF
    CJobParameters job;
    float originOffsetX = 0.0f;
    float originOffsetY = 0.0f;
    std::string DisplayCategory;
    // Screen pixels per image pixel, shared by every view of the document.
    float zoom = 1.0f;
    // The Contrast Enhance command's flag: frames go through the contrast curve.
    bool contrastEnhance = true;
    std::array<CPlotData, kPlotKinds> plotData;
    // User1 and User2 waveforms and every File waveform met in runs.
    CWaveformStore waveforms;

    // --- geometry image (geometry/) --------------------------------------
    CGeometryImage image;

    // Physical size in metres: pixels x 0.0254 / resolution (a shown frame
    // counts one pixel less: n nodes span n - 1 spacings).
    double ImageWidthMeters() const;
    double ImageHeightMeters() const;
    void UpdateSizeText();
    bool RebuildDisplayBitmap();
    void BuildMaterialPalette();
    bool CreateImage(int width, int height, float resolutionX, float resolutionY, std::uint8_t gray);
    bool SetImageResolution(float resolutionX, float resolutionY);
    bool WriteImageFile(const std::string& path);
    bool LoadWorkingImage(bool restoreItems, const CSource* sourceToKeep);
    void DeleteWorkingFile();

    // Geometry editing (geometry/geometry_editing.cpp). Lengths in metres,
    // paint angles in radians, wedge angles in degrees.
    bool PaintRectangle(double x0, double y0, double width, double height, double theta, std::uint8_t gray,
                        std::uint8_t lower, std::uint8_t upper);
    bool PaintEllipse(double xc, double yc, double major, double minor, double theta, std::uint8_t gray,
                      std::uint8_t lower, std::uint8_t upper);
    bool PaintLayer(double x1, double y1, double x2, double y2, double thickness, std::uint8_t gray,
                    std::uint8_t lower, std::uint8_t upper);
    bool PaintPolygon(const std::vector<double>& xs, const std::vector<double>& ys, bool closed, double thickness,
                      std::uint8_t gray, std::uint8_t lower, std::uint8_t upper);
    bool ReplacePixelRange(std::uint8_t lower, std::uint8_t upper, std::uint8_t value);
    bool MakeBackup();
    void DropBackup();
    void RestoreBackup();
    bool CommitWorkingFile();
    bool ResizeImage(int left, int right, int top, int bottom);
    bool AddWedge(const std::string& location, double size, double offset, double thetaDegrees, bool flip,
                  std::uint8_t gray, bool shiftItems);
    bool TrimWedge(const std::string& location, double size, double thetaDegrees, bool shiftItems);

    // --- item lists -----------------------------------------------------
    template <class T>
    CItemList<T>& Items();
    template <class T>
    const CItemList<T>& Items() const { return const_cast<CElixDoc*>(this)->Items<T>(); }

    CItemList<CMaterialProperty>& Materials() { return m_materials; }
    CItemList<CBoundaryCondition>& BoundaryConditions() { return m_boundaryConditions; }
    CItemList<CSource>& Sources() { return m_sources; }
    CItemList<CReceiver>& Receivers() { return m_receivers; }
    CItemList<CElectrode>& Electrodes() { return m_electrodes; }
    CItemList<CElectrodePair>& ElectrodePairs() { return m_electrodePairs; }
    const CItemList<CMaterialProperty>& Materials() const { return m_materials; }
    const CItemList<CBoundaryCondition>& BoundaryConditions() const { return m_boundaryConditions; }
    const CItemList<CSource>& Sources() const { return m_sources; }
    const CItemList<CReceiver>& Receivers() const { return m_receivers; }
    const CItemList<CElectrode>& Electrodes() const { return m_electrodes; }
    const CItemList<CElectrodePair>& ElectrodePairs() const { return m_electrodePairs; }

    // The list operations: a failure leaves its message in MessageText and
    // changes nothing; a success of Add, Delete and Modify marks the
    // document modified.
    template <class T>
    bool AddItem(const T& record) { return Changed(Items<T>().AddItem(record, m_messageText)); }
    template <class T>
    bool DeleteItem(const std::string& name) { return Changed(Items<T>().DeleteItem(name, m_messageText)); }
    template <class T>
    bool ModifyCurrentItem(T& record) { return Changed(Items<T>().ModifyCurrentItem(record, m_messageText)); }
    template <class T>
    bool SelectNextItem() { return Items<T>().SelectNextItem(m_messageText); }
    template <class T>
    bool SelectPreviousItem() { return Items<T>().SelectPreviousItem(m_messageText); }
    template <class T>
    bool GetCurrentItem(T& record) const { return Items<T>().GetCurrentItem(record); }

    // The material editor works on the material slots directly; it calls
    // this after each change it made there.
    void MaterialListTakenBack() { SetModifiedFlag(); }

    // Adds (dx, dy) to the position of every boundary condition, source and
    // receiver.
    void TranslateItems(float dx, float dy);

    // --- model file -----------------------------------------------------
    bool ReadModel(const std::string& path);
    bool WriteModel(const std::string& path);

    // --- user interaction -----------------------------------------------
    void SetUserInterface(IUserInterface* ui) { m_ui = ui; }
    IUserInterface* UserInterface() const { return m_ui; }

    // Shows text through the user interface and returns the answer. While a
    // batch log is open nothing is shown: the log gets the local time line
    // and "(" title ") " text, and the answer is Yes.
    MessageAnswer ReportMessage(const std::string& text, MessageStyle style = MessageStyle::Information,
                                const std::string& title = std::string());

    void SetBatchLog(std::ostream* log) { m_batchLog = log; }
    std::ostream* BatchLog() const { return m_batchLog; }

    // The default directories in force while the program has a directories
    // file (not owned; they outlive the document's commands); nullptr puts
    // the files the program makes beside the model (ProgramFileFolder).
    void SetDirectories(const CDirectories* directories) { m_directories = directories; }
    const CDirectories* Directories() const { return m_directories; }

    // --- views ----------------------------------------------------------
    using ViewObserver = std::function<void(char hint)>;
    int AddViewObserver(ViewObserver observer);
    void RemoveViewObserver(int id);
    // Calls every observer with the hint letter ('a', 'm', 'r', 'f', 't',
    // 'g', or 0).
    void UpdateAllViews(char hint);

private:
    bool Changed(bool ok) {
        if (ok) SetModifiedFlag();
        return ok;
    }

    std::string m_pathName;
    std::string m_title = "Untitled";
    bool m_modified = false;
    bool m_running = false;
    std::string m_messageText;

    CItemList<CMaterialProperty> m_materials{kMaterialTexts};
    CItemList<CBoundaryCondition> m_boundaryConditions{kBoundaryConditionTexts};
    CItemList<CSource> m_sources{kSourceTexts};
    CItemList<CReceiver> m_receivers{kReceiverTexts};
    CItemList<CElectrode> m_electrodes{kElectrodeTexts};
    CItemList<CElectrodePair> m_electrodePairs{kElectrodePairTexts};

    IUserInterface* m_ui = nullptr;
    std::ostream* m_batchLog = nullptr;
    const CDirectories* m_directories = nullptr;
    std::vector<std::pair<int, ViewObserver>> m_observers;
    int m_nextObserverId = 1;
};

template <> inline CItemList<CMaterialProperty>& CElixDoc::Items<CMaterialProperty>() { return m_materials; }
template <> inline CItemList<CBoundaryCondition>& CElixDoc::Items<CBoundaryCondition>() { return m_boundaryConditions; }
template <> inline CItemList<CSource>& CElixDoc::Items<CSource>() { return m_sources; }
template <> inline CItemList<CReceiver>& CElixDoc::Items<CReceiver>() { return m_receivers; }
template <> inline CItemList<CElectrode>& CElixDoc::Items<CElectrode>() { return m_electrodes; }
template <> inline CItemList<CElectrodePair>& CElixDoc::Items<CElectrodePair>() { return m_electrodePairs; }

}  // namespace elix
