// Interactive form fields: recorded by DrawField, given scripts by OnFieldEvent, written as
// widgets when their page closes.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "pdf/core/colour.h"
#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
#include "pdf/fonts/font_encoding.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

enum FieldKind { kTextBox, kCheckBox, kListBox, kComboBox, kRadioButton, kPushButton };

constexpr int kComboFlag = 131072;
constexpr int kRadioFlags = 32768 + 16384;
constexpr int kPushButtonFlag = 65536;

bool Has(int flags, int bit)
{
    return (flags & bit) != 0;
}

int AnnotationFlags(int flags)
{
    return (Has(flags, 1) ? 2 : 0) + (Has(flags, 2) ? 0 : 4);
}

int BorderWidth(int flags)
{
    return Has(flags, 32768) ? 2 : Has(flags, 65536) ? 3 : 1;
}

std::string BorderStyle(int flags)
{
    const std::string width = std::to_string(BorderWidth(flags)) + " ";
    if (Has(flags, 1 << 17))
        return width + "/S /D /D [ 1 1 ]";
    if (Has(flags, 1 << 19))
        return width + "/S /I";
    if (Has(flags, 1 << 18))
        return width + "/S /B";
    if (Has(flags, 1 << 20))
        return width + "/S /U";
    return width + "/S /S";
}

std::string CheckGlyph(int flags)
{
    if (Has(flags, 1 << 22))
        return "5";
    if (Has(flags, 1 << 23))
        return "F";
    if (Has(flags, 1 << 21))
        return "l";
    if (Has(flags, 1 << 24))
        return "H";
    if (Has(flags, 1 << 25))
        return "n";
    return "4";
}

std::string Rotation(int flags)
{
    if (Has(flags, 1 << 26))
        return "/R 90 ";
    if (Has(flags, 1 << 27))
        return "/R 180 ";
    if (Has(flags, 1 << 28))
        return "/R 270 ";
    return {};
}

// The marks of the check glyphs, drawn in a unit square as paths to fill.
std::string_view MarkPath(const std::string& glyph)
{
    if (glyph == "5")  // a cross
        return "0.1 0.2 m 0.2 0.1 l 0.9 0.8 l 0.8 0.9 l h 0.8 0.1 m 0.9 0.2 l 0.2 0.9 l "
               "0.1 0.8 l h";
    if (glyph == "F")  // a four-pointed star
        return "0.5 1 m 0.62 0.62 l 1 0.5 l 0.62 0.38 l 0.5 0 l 0.38 0.38 l 0 0.5 l 0.38 0.62 l h";
    if (glyph == "l")  // a disc
        return "0.85 0.5 m 0.85 0.6933 0.6933 0.85 0.5 0.85 c 0.3067 0.85 0.15 0.6933 0.15 0.5 c "
               "0.15 0.3067 0.3067 0.15 0.5 0.15 c 0.6933 0.15 0.85 0.3067 0.85 0.5 c h";
    if (glyph == "H")  // a five-pointed star
        return "0.5 0.98 m 0.382 0.642 l 0.0245 0.635 l 0.31 0.418 l 0.206 0.0755 l 0.5 0.28 l "
               "0.794 0.0755 l 0.69 0.418 l 0.976 0.635 l 0.618 0.642 l h";
    if (glyph == "n")  // a square
        return "0.2 0.2 0.6 0.6 re";
    return "0.05 0.55 m 0.2 0.7 l 0.4 0.45 l 0.85 0.95 l 1 0.8 l 0.4 0.1 l h";  // a tick
}

// The /AA key of each field event code; code 0 is the activation action.
constexpr std::array<const char*, 10> kEventKeys{
    {"/A", "/D", "/E", "/X", "/Fo", "/Bl", "/K", "/V", "/C", "/F"}};
constexpr int kCalculateEvent = 8;

// A script action, followed by the actions of the scripts after it.
std::string ScriptAction(int script, std::span<const int> next)
{
    std::string action = "<< /S /JavaScript /JS " + std::to_string(script) + " 0 R";
    if (!next.empty()) {
        action += " /Next [";
        for (const int later : next)
            action += " " + ScriptAction(later, {});
        action += " ]";
    }
    return action + " >>";
}

std::string EventEntries(const std::vector<FieldEvent>& events)
{
    std::string entries;
    for (const FieldEvent& event : events) {
        const std::span<const int> scripts(event.Scripts);
        entries += std::string(" ") + kEventKeys[static_cast<std::size_t>(event.Code)] + " " +
                   ScriptAction(scripts.front(), scripts.subspan(1));
    }
    return entries;
}

}  // namespace

// The field flags that the flag bits ask for, raising the version for the newer ones.
int Pagelith::FieldFlags(int flags, int kind)
{
    int field = 0;
    if (Has(flags, 8))
        field += 1;
    if (Has(flags, 16))
        field += 4096;
    if (Has(flags, 32))
        field += 8192;
    if (Has(flags, 128) || (kind == kCheckBox && Has(flags, 1 << 21)))
        field += 1 << 21;
    if (Has(flags, 256)) {
        field += 1 << 22;
        RequireVersion(1);
    }
    if (Has(flags, 512)) {
        field += 1 << 23;
        RequireVersion(1);
    }
    if (Has(flags, 1024)) {
        field += 1 << 24;
        RequireVersion(2);
    }
    switch (kind) {
    case kComboBox: return field + kComboFlag;
    case kRadioButton: return field + kRadioFlags;
    case kPushButton: return field + kPushButtonFlag;
    default: return field;
    }
}

void Pagelith::DrawField(const std::string& name, int kind, float x, float y, float w,
                         float h, const std::string& value, const std::string& option,
                         const std::string& tooltip, int flags)
{
    RequireFinite({x, y, w, h});
    if (!CanDraw("DrawField", Landing::Field))
        return;
    if (kind < kTextBox || kind > kPushButton)
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument: no field kind " +
                                               std::to_string(kind));
    // Edges as written, where sizes too small and places beyond the writable range are lost.
    const float left = x * mGeometry.scale;
    const float top = mGeometry.height - y * mGeometry.scale;
    const std::array<std::string, 4> edges = {FormatReal(left), FormatReal(top),
                                              FormatReal(left + w * mGeometry.scale),
                                              FormatReal(top - h * mGeometry.scale)};
    // Readers spend unbounded time laying out the appearance of a field with no room.
    if (edges[0] == edges[2] || edges[1] == edges[3])
        throw Error(err::kInvalidArgument,
                    "Invalid procedure call or argument: the field has no width or height");
    // PDF/A keeps only fields that show themselves, and these are shown by the viewer.
    if (mPdfa.on)
        return;
    // The field's text needs a font that the form's resources hold.
    if (mFont.fullName.empty())
        SetFont("Arial", 0, 0, 0);
    // Viewers show the value of a text, choice or push-button field in the field's font,
    // which has no glyph for a character its character set lacks.
    if (kind != kCheckBox && kind != kRadioButton && !FontShows(CurrentFont(), value))
        throw Error(err::kInvalidArgument,
                    "Invalid procedure call or argument: the field's font cannot show its value");
    ReserveFor(mForm.Fields, static_cast<int>(mForm.Fields.size()) + 1, mOutput.memoryUsage);
    // Built aside and listed last, with its radio group, so that a field whose objects
    // cannot be written leaves nothing half made.
    FieldRecord field;
    int groupObject = 0;
    bool groupTicked = false;

    field.Dict = "<< /Type /Annot /Subtype /Widget \r /Rect [ " + edges[0] + " " + edges[1] +
                 " " + edges[2] + " " + edges[3] + "]";
    if (AnnotationFlags(flags) != 0)
        field.Dict += " /F " + std::to_string(AnnotationFlags(flags)) + " ";

    // The frame is what the toggles' and list boxes' own appearances draw first, over the
    // rectangle as readers take it whichever way its corners are given.
    const float width = std::abs(w * mGeometry.scale);
    const float height = std::abs(h * mGeometry.scale);
    std::string frame;
    float border = 0;
    const std::string background = mColours.noFill ? std::string() : PlainComponents(mColours.fill);
    if (!Has(flags, 4) && !background.empty()) {
        field.Look += " /BG [ " + background + " ] ";
        frame += PlainFillOperands(mColours.fill) + " 0 0 " + FormatReal(width) + " " +
                 FormatReal(height) + " re f\r";
    }
    if (!Has(flags, 16384) && !mColours.noLine && !mColours.line.empty() && mColours.line.front() == '#') {
        field.Dict += "\r/BS << /Type /Border /W " + BorderStyle(flags) + ">>";
        field.Look += " /BC [ " + mColours.line.substr(1) + " ] ";
        const float line = static_cast<float>(BorderWidth(flags));
        frame += mColours.line.substr(1) + " RG " + FormatReal(line) + " w " +
                 FormatReal(line / 2) + " " + FormatReal(line / 2) + " " +
                 FormatReal(width - line) + " " + FormatReal(height - line) + " re S\r";
        border = line;
    }
    field.Look += Rotation(flags);

    const std::string flagText = " /Ff " + std::to_string(FieldFlags(flags, kind));
    // 0 leaves the size to the reader.
    const float fontSize = Has(flags, 8192) ? 0 : mFont.size;
    const int number = ParseWholeNumber(option).value_or(0);
    switch (kind) {
    case kTextBox:
        field.Dict += " /FT /Tx" + flagText + " \r";
        if (Has(flags, 2048))
            field.Dict += "/Q 2 ";
        else if (Has(flags, 4096))
            field.Dict += "/Q 1 ";
        if (number > 0)
            field.Dict += " /MaxLen " + std::to_string(number) + " ";
        field.Value = value;
        break;
    case kCheckBox:
    case kRadioButton: {
        field.Caption = kind == kCheckBox ? CheckGlyph(flags) : "l";
        const bool ticked = UpperAscii(value) == "TRUE";
        std::string onState = "Yes";
        if (kind == kCheckBox) {
            field.Dict += " /FT /Btn" + flagText + (ticked ? " /V /Yes /DV /Yes " : " /V /Off ");
        } else {
            // A group begun by this button takes its number before the button's looks; a
            // number left unwritten is a free entry.
            const auto known = mForm.RadioPositions.find(name);
            const RadioGroup* group =
                known == mForm.RadioPositions.end() ? nullptr : &mForm.Radios[known->second];
            groupObject = group ? group->Object : ++mOutput.objCount;
            onState = "Choice" + std::to_string((group ? group->Buttons : 0) + 1);
            // The first button drawn ticked is the group's value; the others show off.
            groupTicked = ticked && (!group || group->Value == "Off");
            field.Dict += " /Parent " + std::to_string(groupObject) + " 0 R ";
        }
        const bool shownOn = kind == kCheckBox ? ticked : groupTicked;
        field.Dict +=
            ToggleAppearance(width, height, frame, field.Caption, onState, shownOn) + " ";
        break;
    }
    case kListBox:
    case kComboBox:
        field.Dict += " /FT /Ch" + flagText + " ";
        field.Value = value;
        if (number > 0)
            field.Selected = number;
        if (kind == kListBox)
            field.Dict += ListBoxAppearance(width, height, frame, border, value, field.Selected,
                                            fontSize) +
                          " ";
        break;
    case kPushButton:
        field.Dict += " /FT /Btn" + flagText;
        field.Caption = value;
        if (!option.empty()) {
            field.Action = " /A << /S /JavaScript /JS " +
                           std::to_string(WriteStreamObject(option)) + " 0 R >> ";
        }
        break;
    }

    field.FieldName = name;
    field.Appearance = FontResourceName() + " " + FormatReal(fontSize) + " Tf ";
    const std::string textColour = PlainFillOperands(mColours.text);
    if (!textColour.empty())
        field.Appearance += textColour + " ";
    field.Tooltip = tooltip;
    field.Kind = kind;

    if (kind == kRadioButton) {
        RadioGroup& group = RadioGroupNamed(name, tooltip, FieldFlags(flags, kind), groupObject);
        field.Group = static_cast<int>(&group - mForm.Radios.data()) + 1;
        if (groupTicked)
            group.Value = "Choice" + std::to_string(group.Buttons + 1);
        ++group.Buttons;
    }
    mForm.Named.emplace(name, mForm.Fields.size());
    mForm.Toggles = mForm.Toggles || kind == kCheckBox || kind == kRadioButton;
    mForm.Fields.push_back(std::move(field));
}

void Pagelith::OnFieldEvent(int code, const std::string& name, const std::string& script)
{
    if (mPdfa.on || script.empty() || mForm.Fields.empty() || code < 0 ||
        code >= static_cast<int>(kEventKeys.size()))
        return;
    const int scriptObject = WriteStreamObject(script);
    // The fields of that name, then those named with it and a dot ("/" follows ".").
    const auto named = mForm.Named.equal_range(name);
    const auto children =
        std::make_pair(mForm.Named.lower_bound(name + "."), mForm.Named.lower_bound(name + "/"));
    for (const auto& [first, last] : {named, children}) {
        for (auto at = first; at != last; ++at) {
            FieldRecord& field = mForm.Fields[at->second];
            if (code == 0) {
                field.Action = " /A " + ScriptAction(scriptObject, {});
            } else {
                // A key stands once in /AA, so a later script of a trigger runs after the
                // earlier ones rather than hiding them.
                auto event = std::find_if(field.Events.begin(), field.Events.end(),
                                          [code](const FieldEvent& e) { return e.Code == code; });
                if (event == field.Events.end())
                    event = field.Events.insert(event, FieldEvent{code, {}});
                event->Scripts.push_back(scriptObject);
                field.Calculated = field.Calculated || code == kCalculateEvent;
            }
        }
    }
}

// One widget object per field of the page, naming the page's object; afterwards the page
// has no fields left, so a page reopened later writes only the fields drawn on it then.
void Pagelith::WritePageFields(int pageObject)
{
    for (const FieldRecord& field : mForm.Fields) {
        const int widget = BeginObj(0);
        const std::string ref = std::to_string(widget) + " 0 R ";
        // A radio button's name and tooltip are its group's.
        std::string text = field.Dict + " /DA " + PdfTextString(field.Appearance);
        if (field.Group == 0) {
            text += " /T " + PdfDictText(field.FieldName);
            if (!field.Tooltip.empty())
                text += " /TU " + PdfDictText(field.Tooltip);
        }
        switch (field.Kind) {
        case kTextBox: {
            const std::string valueText = PdfDictText(field.Value);
            text += " /MK <<" + field.Look + ">> \r /V " + valueText + " /DV " + valueText + " ";
            break;
        }
        case kCheckBox:
        case kRadioButton:
        case kPushButton:
            text += " /MK << /CA " + PdfDictText(field.Caption) + " " + field.Look + ">> ";
            break;
        case kListBox:
        case kComboBox: {
            std::vector<std::string> options;
            SplitText(field.Value, options, "|");
            text += " /MK <<" + field.Look + ">> /Opt [ ";
            for (const std::string& option : options)
                text += PdfDictText(option);
            text += " ] ";
            if (field.Selected >= 1 && field.Selected <= static_cast<int>(options.size())) {
                const std::string selected =
                    PdfDictText(options[static_cast<std::size_t>(field.Selected - 1)]);
                text += " /DV " + selected + " /V " + selected;
            }
            break;
        }
        default: break;
        }
        const std::string fieldRef =
            field.Group == 0 ? ref : std::to_string(GroupOf(field).Object) + " 0 R ";
        if (!field.Events.empty()) {
            text += " /AA << " + EventEntries(field.Events) + " >> ";
            if (field.Calculated && mForm.CalcOrder.find(fieldRef) == std::string::npos)
                mForm.CalcOrder += fieldRef;
        }
        WriteLine(text + field.Action + " /P " + std::to_string(pageObject) + " 0 R >>");
        EndObj();
        if (field.Group == 0)
            mForm.Refs += ref;
        else
            GroupOf(field).Kids += ref;
        if (!mContent.inTemplate)
            mPageList.annots += ref;
    }
    mForm.ClearPageFields();
}

// The on state's appearance shows the glyph's mark over the frame; the off state's, the
// frame alone.  Both are what the widget's /AS selects.
std::string Pagelith::ToggleAppearance(float width, float height, const std::string& frame,
                                       const std::string& glyph, const std::string& onState,
                                       bool on)
{
    const float side = 0.8f * std::min(width, height);
    const std::string mark = "q " + FillOperandsOrBlack(mColours.text) + " " + FormatReal(side) +
                             " 0 0 " + FormatReal(side) + " " + FormatReal((width - side) / 2) +
                             " " + FormatReal((height - side) / 2) + " cm " +
                             std::string(MarkPath(glyph)) + " f Q";
    const int onLook = WriteAppearanceStream(width, height, frame + mark, "<< >>");
    const int offLook = WriteAppearanceStream(width, height, frame, "<< >>");
    return " /AS /" + (on ? onState : std::string("Off")) + " /AP << /N << /" + onState + " " +
           std::to_string(onLook) + " 0 R /Off " + std::to_string(offLook) + " 0 R >> >>";
}

// The group of radio buttons of that name; a new one lists its field, of that object, in
// the form, with the field flags and the tooltip of its first button.
RadioGroup& Pagelith::RadioGroupNamed(const std::string& name, const std::string& tooltip,
                                      int fieldFlags, int object)
{
    if (const auto known = mForm.RadioPositions.find(name); known != mForm.RadioPositions.end())
        return mForm.Radios[known->second];
    RadioGroup& group = mForm.Radios.emplace_back();
    mForm.RadioPositions.emplace(name, mForm.Radios.size() - 1);
    group.Name = name;
    group.Object = object;  // written when the document completes
    group.Flags = fieldFlags;
    group.Value = "Off";
    group.Tooltip = tooltip;
    mForm.Refs += std::to_string(group.Object) + " 0 R ";
    return group;
}

RadioGroup& Pagelith::GroupOf(const FieldRecord& button)
{
    return mForm.Radios[static_cast<std::size_t>(button.Group - 1)];
}

void Pagelith::WriteRadioGroups()
{
    for (const RadioGroup& group : mForm.Radios) {
        BeginObj(group.Object);
        std::string text = "<< /FT /Btn /Ff " + std::to_string(group.Flags) + " /T " +
                           PdfDictText(group.Name);
        if (!group.Tooltip.empty())
            text += " /TU " + PdfDictText(group.Tooltip);
        WriteLine(text + " /V /" + group.Value + " /DV /" + group.Value + " /Kids [ " +
                  group.Kids + "] >>");
        EndObj();
    }
}

// A viewer that rebuilds the toggles' appearances draws their glyphs from /ZaDb.
std::string Pagelith::AcroFormLine() const
{
    const std::string dingbats =
        mForm.Toggles ? "/ZaDb << /Type /Font /Subtype /Type1 /BaseFont /ZapfDingbats >> " : "";
    return "/AcroForm <</NeedAppearances true /Fields [" + mForm.Refs + "] /CO [" +
           mForm.CalcOrder + "] /DR << /Font <<\r" + mResources.fonts + dingbats + ">> >> >>";
}

}  // namespace pdf
