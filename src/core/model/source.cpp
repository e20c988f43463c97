#include "model/source.h"

namespace elix {

void WriteElementBlock(CTextWriter& out, const ArrayElementBlock& block) {
    out.Print("%d %e %e\n", block.grouping, block.size, block.gap);
}

void ReadElementBlock(CTextReader& in, ArrayElementBlock& block) {
    in.ReadInteger(block.grouping);
    in.ReadFloat(block.size);
    in.ReadFloat(block.gap);
}

void WriteFocusingBlock(CTextWriter& out, const ArrayFocusingBlock& block) {
    out.Print("%d %d %d\n", block.delayLaw, block.lawSelector, block.regionGrayLevel);
    out.Print("%e %e %e %e %e %e %e\n", block.a[0], block.a[1], block.a[2], block.a[3], block.a[4],
              block.opaque[0], block.opaque[1]);
}

void ReadFocusingBlock(CTextReader& in, ArrayFocusingBlock& block) {
    in.ReadInteger(block.delayLaw);
    in.ReadInteger(block.lawSelector);
    in.ReadInteger(block.regionGrayLevel);
    for (float& v : block.a) in.ReadFloat(v);
    for (float& v : block.opaque) in.ReadFloat(v);
}

bool ReadItemString(CTextReader& in, std::string& value) {
    const std::size_t start = in.Position();
    std::string line;
    if (!in.ReadRestOfLine(line)) return false;
    const bool keyword = line.size() >= 2 && line.front() == '<' && line.back() == '>';
    if (line == "ItemEnd" || keyword) {
        in.Seek(start);
        return false;
    }
    value = FeToBlank(std::move(line));
    return true;
}

void CSource::WriteItem(CTextWriter& out, float version) {
    form = curveArrayFlags == 0 ? kPlainForm : kArrayForm;

    out.Line(name);
    out.Print("%d\n", form);
    out.Print("%e\n", x1);
    out.Print("%e\n", y1);
    out.Print("%e\n", x2);
    out.Print("%e\n", y2);
    out.Print("%e\n", longitudinalDuration);
    out.Print("%e\n", shearDuration);
    out.Print("%e\n", timeDelay);
    out.Print("%d\n", longitudinalMode);
    out.Print("%d\n", shearMode);
    out.Print("%d\n", pulseEcho);
    out.StringLine(longitudinalTimeFunction);
    out.StringLine(shearTimeFunction);
    out.StringLine(longitudinalApodization);
    out.StringLine(shearApodization);
    // The void backing joined the plain layout in version 2.2.
    if (form == kArrayForm || version >= 2.2f) out.Print("%d\n", voidBacking);
    out.Print("%d\n", wedge);
    out.Print("%e\n", wedgeCenterOffset);
    out.Print("%e\n", wedgeSize);
    out.Print("%e\n", wedgeAngle);
    out.Print("%d\n", wedgeFlip);
    out.Print("%d\n", wedgeGrayLevel);
    out.StringLine(wedgeLocation);
    if (form == kArrayForm) {
        out.Print("%d\n", curveArrayFlags);
        if (curveArrayFlags & kArrayElementBlock) WriteElementBlock(out, element);
        if (curveArrayFlags & kArrayFocusingBlock) {
            WriteFocusingBlock(out, focusing);
            out.Print("%e %e\n", frontDelay, backDelay);
        }
    }
    if (version >= 2.41f) out.Print("%d\n", pointSource);
    if (version >= 2.0f) {
        out.Print("SignalType %d\n", signalType);
        out.Line("ItemEnd");
    }
}

void CSource::ReadItem(CTextReader& in, const std::string& nameLine, float version) {
    name = FeToBlank(nameLine);
    in.ReadInteger(form);
    in.ReadFloat(x1);
    in.ReadFloat(y1);
    in.ReadFloat(x2);
    in.ReadFloat(y2);
    in.ReadFloat(longitudinalDuration);
    in.ReadFloat(shearDuration);
    in.ReadFloat(timeDelay);
    in.ReadInteger(longitudinalMode);
    in.ReadInteger(shearMode);
    in.ReadInteger(pulseEcho);
    // A string read as "None" stays "None": a time function of that name
    // means no excitation.
    ReadItemString(in, longitudinalTimeFunction);
    ReadItemString(in, shearTimeFunction);
    ReadItemString(in, longitudinalApodization);
    ReadItemString(in, shearApodization);
    if (form == kArrayForm || version >= 2.2f) in.ReadInteger(voidBacking);
    in.ReadInteger(wedge);
    in.ReadFloat(wedgeCenterOffset);
    in.ReadFloat(wedgeSize);
    in.ReadFloat(wedgeAngle);
    in.ReadInteger(wedgeFlip);
    in.ReadInteger(wedgeGrayLevel);
    ReadItemString(in, wedgeLocation);
    if (form == kArrayForm) {
        in.ReadInteger(curveArrayFlags);
        if (curveArrayFlags & kArrayElementBlock) ReadElementBlock(in, element);
        if (curveArrayFlags & kArrayFocusingBlock) {
            ReadFocusingBlock(in, focusing);
            in.ReadFloat(frontDelay);
            in.ReadFloat(backDelay);
        }
    }
    if (version >= 2.41f) in.ReadInteger(pointSource);
    if (version >= 2.0f) {
        // Skip to the terminator; the signal type is the one keyed value in
        // this stretch.
        std::string token;
        while (in.Token(token)) {
            if (token == "ItemEnd") break;
            if (token == "SignalType") in.ReadInteger(signalType);
        }
    }
}

}  // namespace elix
