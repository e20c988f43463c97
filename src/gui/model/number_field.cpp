#include "model/number_field.h"

#include <QVariant>
#include <cmath>
#include <limits>

namespace elix {

namespace {

constexpr const char* kShownValue = "elixShownValue";
constexpr const char* kShownText = "elixShownText";
constexpr const char* kInteger = "elixInteger";

void Remember(QLineEdit* edit, double value, const QString& text) {
    edit->setText(text);
    edit->setCursorPosition(0);
    edit->setProperty(kShownValue, value);
    edit->setProperty(kShownText, text);
}

}  // namespace

QString NumberText(double value) {
    if (!std::isfinite(value)) return QString::number(value);
    const QString six = QString::number(value, 'g', 6);
    if (static_cast<float>(six.toDouble()) == static_cast<float>(value)) return six;
    // Seven digits at most: beyond that only the noise of float arithmetic
    // shows (a length of 5.9999996 mm is shown as 6).
    return QString::number(value, 'g', 7);
}

void SetNumber(QLineEdit* edit, double value) {
    edit->setProperty(kInteger, false);
    Remember(edit, value, NumberText(value));
}

void SetInteger(QLineEdit* edit, long long value) {
    edit->setProperty(kInteger, true);
    Remember(edit, static_cast<double>(value), QString::number(value));
}

double NumberOf(const QLineEdit* edit) {
    const QVariant shownText = edit->property(kShownText);
    if (shownText.isValid() && shownText.toString() == edit->text()) return edit->property(kShownValue).toDouble();
    const QString text = edit->text().trimmed();
    constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
    if (edit->property(kInteger).toBool()) {
        bool ok = false;
        const qlonglong value = text.toLongLong(&ok);
        return ok ? static_cast<double>(value) : kNotANumber;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : kNotANumber;
}

bool CheckFields(std::initializer_list<CheckedField> fields, const FieldReport& report) {
    for (const CheckedField& field : fields) {
        if (CheckFieldRange(NumberOf(field.edit), field.range, report)) continue;
        field.edit->setFocus(Qt::OtherFocusReason);
        field.edit->selectAll();
        return false;
    }
    return true;
}

QLineEdit* NewNumberEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 14);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

}  // namespace elix
