#include "model/material_property.h"

namespace elix {
namespace {

// One line of constants: each value followed by one blank.
template <std::size_t N>
void WriteRow(CTextWriter& out, const std::array<float, N>& values) {
    for (float v : values) out.Print("%e ", v);
    out.Line("");
}

template <std::size_t N>
void ReadRow(CTextReader& in, std::array<float, N>& values) {
    for (float& v : values) in.ReadFloat(v);
}

}  // namespace

void CMaterialProperty::WriteItem(CTextWriter& out, float version) const {
    out.Line(name);
    out.Print("%d\n", formWritten);
    if (formWritten == kIsotropicForm || formWritten == kExtendedForm) {
        out.Print("%e\n", density);
        out.Print("%e\n", lambda);
        out.Print("%e\n", mu);
        out.Print("%e\n", chi);
        out.Print("%e\n", eta);
        out.Print("%d\n", grayLevel);
        out.Print("%d\n", damping);
    }
    if (formWritten == kExtendedForm) {
        out.Print("%d\n", piezoelectric);
        WriteRow(out, e);
        WriteRow(out, epsilon);
        out.Print("%d\n", orthotropic);
        WriteRow(out, c);
    }
    if (version >= 2.0f) out.Line("ItemEnd");
}

void CMaterialProperty::ReadItem(CTextReader& in, const std::string& nameLine, float version) {
    name = FeToBlank(nameLine);
    in.ReadInteger(formRead);
    if (formRead == kIsotropicForm || formRead == kExtendedForm) {
        in.ReadFloat(density);
        in.ReadFloat(lambda);
        in.ReadFloat(mu);
        in.ReadFloat(chi);
        in.ReadFloat(eta);
        in.ReadInteger(grayLevel);  // a larger number keeps its low byte
        in.ReadInteger(damping);
    }
    if (formRead == kExtendedForm) {
        in.ReadInteger(piezoelectric);
        ReadRow(in, e);
        ReadRow(in, epsilon);
        in.ReadInteger(orthotropic);
        ReadRow(in, c);
    }
    // Fields that a later version adds before the terminator are skipped.
    if (version >= 2.0f) in.SkipTokensThrough("ItemEnd");
}

CMaterialProperty IsotropicMaterial(const std::string& name, std::uint8_t grayLevel, double density, double vL,
                                    double vT) {
    CMaterialProperty m;
    m.name = name;
    m.grayLevel = grayLevel;
    m.density = static_cast<float>(density);
    m.mu = static_cast<float>(density * vT * vT);
    m.lambda = static_cast<float>(density * vL * vL - 2.0 * density * vT * vT);
    return m;
}

}  // namespace elix
