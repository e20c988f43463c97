// "Advanced Source": the end points of a source's segment, in mm.
#pragma once

#include <QDialog>

#include "model/field_range.h"
#include "model/location_rules.h"
#include "model/source_receiver_fields.h"

namespace elix {

class CSourceAdvancedDlg : public QDialog {
    Q_OBJECT
public:
    CSourceAdvancedDlg(const Segment& segment, FieldReport report, QWidget* parent = nullptr);

    const Segment& Result() const { return m_segment; }
    EndPointWidgets endPoints;

    void accept() override;

private:
    Segment m_segment;
    FieldReport m_report;
};

}  // namespace elix
