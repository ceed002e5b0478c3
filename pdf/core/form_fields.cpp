// Interactive form fields: recorded by DrawField, given scripts by OnFieldEvent, written as
// widgets when their page closes.
#include <array>
#include <vector>

#include "pdf/core/colour.h"
#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
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

std::string BorderStyle(int flags)
{
    const std::string width = Has(flags, 32768) ? "2 " : Has(flags, 65536) ? "3 " : "1 ";
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

// The /AA key of each field event code; code 0 is the activation action.
constexpr std::array<const char*, 10> kEventKeys{
    {"/A", "/D", "/E", "/X", "/Fo", "/Bl", "/K", "/V", "/C", "/F"}};
constexpr int kCalculateEvent = 8;

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
    if (kind < kTextBox || kind > kPushButton)
        throw Error(err::kInvalidArgument, "Invalid procedure call or argument: no field kind " +
                                               std::to_string(kind));
    // The field's text needs a font that the form's resources hold.
    if (mFontFullName.empty())
        SetFont("Arial", 0, 0, 0);
    const float left = x * mScale;
    const float top = mPageHeight - y * mScale;
    ReserveFor(mForm.Fields, static_cast<int>(mForm.Fields.size()) + 1, mMemoryUsage);
    FieldRecord& field = mForm.Fields.emplace_back();

    field.Dict = "<< /Type /Annot /Subtype /Widget \r /Rect [ " + FormatReal(left) + " " +
                 FormatReal(top) + " " + FormatReal(left + w * mScale) + " " +
                 FormatReal(top - h * mScale) + "]";
    if (AnnotationFlags(flags) != 0)
        field.Dict += " /F " + std::to_string(AnnotationFlags(flags)) + " ";

    const std::string background = mNoFill ? std::string() : PlainComponents(mColorFill);
    if (!Has(flags, 4) && !background.empty())
        field.Look += " /BG [ " + background + " ] ";
    if (!Has(flags, 16384) && !mNoLine && !mColorLine.empty() && mColorLine.front() == '#') {
        field.Dict += "\r/BS << /Type /Border /W " + BorderStyle(flags) + ">>";
        field.Look += " /BC [ " + mColorLine.substr(1) + " ] ";
    }
    field.Look += Rotation(flags);

    const std::string flagText = " /Ff " + std::to_string(FieldFlags(flags, kind));
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
    case kRadioButton:
        field.Dict += " /FT /Btn" + flagText +
                      (UpperAscii(value) == "TRUE" ? " /V /S#EC /DV /Yes " : " ");
        field.Caption = kind == kCheckBox ? CheckGlyph(flags) : "l";
        break;
    case kListBox:
    case kComboBox:
        field.Dict += " /FT /Ch" + flagText + " ";
        field.Value = value;
        if (number > 0)
            field.Selected = number;
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
    field.Appearance = FontResourceName() + " " + FormatReal(Has(flags, 8192) ? 0 : mFontSize) +
                       " Tf ";
    const std::string textColour = PlainFillOperands(mColorText);
    if (!textColour.empty())
        field.Appearance += textColour + " ";
    field.Tooltip = tooltip;
    field.Kind = kind;
}

void Pagelith::OnFieldEvent(int code, const std::string& name, const std::string& script)
{
    if (mPDFA || script.empty() || mForm.Fields.empty() || code < 0 ||
        code >= static_cast<int>(kEventKeys.size()))
        return;
    const std::string action =
        "<< /S /JavaScript /JS " + std::to_string(WriteStreamObject(script)) + " 0 R >>";
    for (auto field = mForm.Fields.rbegin(); field != mForm.Fields.rend(); ++field) {
        const std::string& fieldName = field->FieldName;
        if (fieldName != name && !StartsWith(fieldName, name + "."))
            continue;
        if (code == 0) {
            field->Action = " /A " + action;
        } else {
            field->Events += std::string(" ") + kEventKeys[static_cast<std::size_t>(code)] + " " +
                             action;
            field->Calculated = field->Calculated || code == kCalculateEvent;
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
        std::string text = field.Dict + " /DA " + PdfTextString(field.Appearance) + " /T " +
                           PdfDictText(field.FieldName);
        if (!field.Tooltip.empty())
            text += " /TU " + PdfDictText(field.Tooltip);
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
        if (!field.Events.empty()) {
            text += " /AA << " + field.Events + " >> ";
            if (field.Calculated)
                mForm.CalcOrder += ref;
        }
        WriteLine(text + field.Action + " /P " + std::to_string(pageObject) + " 0 R >>");
        EndObj();
        mForm.Refs += ref;
        if (!mInObject)
            mPageAnnots += ref;
    }
    mForm.Fields.clear();
}

std::string Pagelith::AcroFormLine() const
{
    return "/AcroForm <</NeedAppearances true /Fields [" + mForm.Refs + "] /CO [" +
           mForm.CalcOrder + "] /DR << /Font <<\r" + mFontRes + ">> >> >>";
}

}  // namespace pdf
