// Layers: optional content that a viewer shows or hides.  Content between BeginLayer and
// EndLayer (BeginConditionalLayer and EndConditionalLayer) is a marked section naming a
// group (a membership dictionary); the completion writes the groups, the membership
// dictionaries and the catalog's optional-content properties.
#include <string_view>
#include <vector>

#include "pdf/core/layer_records.h"
#include "pdf/core/list_growth.h"
#include "pdf/core/text_string.h"
#include "pdf/core/text_utils.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

constexpr std::string_view kPolicies[] = {"/P /AnyOn", "/P /AnyOff", "/P /AllOn", "/P /AllOff"};
constexpr int kAllOn = 2;

// Names are matched without regard to case: ASCII and Latin-1 letters of UTF-8 text are
// upper-cased.
std::string UpperName(std::string_view utf8)
{
    std::string text(utf8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'a' && c <= 'z') {
            text[i] = static_cast<char>(c - 32);
        } else if (c == 0xC3 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[++i]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                text[i] = static_cast<char>(next - 32);
        }
    }
    return text;
}

// mutool stops drawing a page whose layer's name takes more than about 500 bytes of UTF-8.
constexpr std::size_t kMaxLabelBytes = 500;

// The layer's name as the viewer lists it: cut to fit, between two characters.
std::string Label(std::string_view name)
{
    std::string label = ValidUtf8(name);
    if (label.size() <= kMaxLabelBytes)
        return label;
    std::size_t end = kMaxLabelBytes;
    while ((static_cast<unsigned char>(label[end]) & 0xC0) == 0x80)
        --end;
    label.resize(end);
    return label;
}

std::string Ref(int object)
{
    return std::to_string(object) + " 0 R ";
}

}  // namespace

void Pagelith::BeginLayer(const std::string& name, bool visible, bool listed,
                          const std::string& parent)
{
    if (mPdfa.on)
        return;
    int index = FindLayer(name);
    if (index == 0) {
        std::vector<LayerRecord>& layers = mLayers.Layers;
        index = static_cast<int>(layers.size()) + 1;
        ReserveFor(layers, index, mOutput.memoryUsage);
        layers.push_back({name, visible, listed, 0, parent});
        mLayers.Numbers.emplace(UpperName(name), index);
    }
    BeginMarkedSection("LAY_" + std::to_string(index));
}

void Pagelith::EndLayer()
{
    EndMarkedSection();
}

void Pagelith::BeginConditionalLayer(const std::string& names, int policy)
{
    if (mPdfa.on)
        return;
    std::vector<CondLayerRecord>& records = mLayers.CondLayers;
    const int index = static_cast<int>(records.size()) + 1;
    ReserveFor(records, index, mOutput.memoryUsage);
    records.push_back({policy, names});
    BeginMarkedSection("GRLAY_" + std::to_string(index));
}

void Pagelith::EndConditionalLayer()
{
    EndMarkedSection();
}

// The layer's number from 1, or 0 when no layer has that name.
int Pagelith::FindLayer(std::string_view name) const
{
    const auto found = mLayers.Numbers.find(UpperName(name));
    return found == mLayers.Numbers.end() ? 0 : found->second;
}

std::string Pagelith::LayerResourceName(const std::string& resource) const
{
    return "/" + EscapeName(mInfo.resPrefix + resource);
}

// The count of sections open in the content that receives lines now; null when none does.
int* Pagelith::OpenSectionsHere()
{
    return ForContentHere(mLayers.OpenInTemplate, mLayers.OpenInTiling, mLayers.OpenInPage);
}

void Pagelith::BeginMarkedSection(const std::string& resource)
{
    PutLine("/OC " + LayerResourceName(resource) + " BDC");
    if (int* open = OpenSectionsHere())
        ++*open;
}

// An end with no section open in this content would unbalance it: it writes nothing.
void Pagelith::EndMarkedSection()
{
    int* open = OpenSectionsHere();
    if (!open || *open == 0)
        return;
    PutLine("EMC");
    --*open;
}

// A content that closes closes the sections left open in it.
void Pagelith::CloseMarkedSections(TextBuffer& content, int& open)
{
    for (; open > 0; --open)
        BufAppend(content, "\rEMC");
}

// Completion: one group per layer, the viewer's order of them, and one membership
// dictionary per conditional section.
void Pagelith::WriteLayers()
{
    LayerList& l = mLayers;
    for (std::size_t i = 0; i < l.Layers.size(); ++i) {
        LayerRecord& layer = l.Layers[i];
        layer.LayerObject = BeginObj(0);
        WriteLine("<</Type /OCG /Name " + PdfDictText(Label(layer.LayerName)));
        if (layer.LayerName == "SCREEN") {
            WriteLine("/Usage <</Print <</PrintState /OFF>> /View <</ViewState /ON>> >>");
            layer.Visible = true;
            l.ScreenObject = layer.LayerObject;
        } else if (layer.LayerName == "PRINTER") {
            WriteLine("/Usage <</Print <</PrintState /ON>> /View <</ViewState /OFF>> >>");
            layer.Visible = false;
            l.PrinterObject = layer.LayerObject;
        }
        WriteLine(">>");
        EndObj();
        const std::string ref = Ref(layer.LayerObject);
        l.PropertiesRes += LayerResourceName("LAY_" + std::to_string(i + 1)) + " " + ref;
        l.GroupRefs += ref;
        (layer.Visible ? l.OnRefs : l.OffRefs) += ref;
    }
    if (HasLayers())
        RequireVersion(2);

    LayerChildren children;
    for (std::size_t i = 0; i < l.Layers.size(); ++i)
        children[l.Layers[i].Parent].push_back(i);
    std::vector<bool> onPath(l.Layers.size());
    for (std::size_t i = 0; i < l.Layers.size(); ++i) {
        if (l.Layers[i].Parent.empty() && l.Layers[i].Listed)
            AppendLayerOrder(i, children, onPath, l.OrderText);
    }

    for (std::size_t i = 0; i < l.CondLayers.size(); ++i)
        WriteMembership(l.CondLayers[i], static_cast<int>(i) + 1);
    if (!l.CondLayers.empty())
        RequireVersion(2);
}

// The layer in the viewer's order, followed by the layers listed under it ("[...] "), each
// with its own.  A layer already on the path from the top is passed over, so a circle of
// parents ends.
void Pagelith::AppendLayerOrder(std::size_t layer, const LayerChildren& children,
                                std::vector<bool>& onPath, std::string& text) const
{
    text += Ref(mLayers.Layers[layer].LayerObject);
    const auto listed = children.find(mLayers.Layers[layer].LayerName);
    if (listed == children.end())
        return;
    onPath[layer] = true;
    const std::size_t start = text.size();
    text += "[";
    for (const std::size_t child : listed->second) {
        if (!onPath[child])
            AppendLayerOrder(child, children, onPath, text);
    }
    if (text.size() == start + 1)
        text.resize(start);
    else
        text += "] ";
    onPath[layer] = false;
}

// Written even when it names no layer, since the content's marked sections refer to it;
// then its condition holds whatever the policy: all of no layers are on.
void Pagelith::WriteMembership(const CondLayerRecord& record, int index)
{
    std::string members;
    if (!record.LayerNames.empty()) {
        std::vector<std::string> names;
        SplitText(record.LayerNames, names, ",");
        for (const std::string& name : names) {
            if (const int layer = FindLayer(TrimSpaces(name)))
                members += Ref(mLayers.Layers[static_cast<std::size_t>(layer - 1)].LayerObject);
        }
    }
    const int object = BeginObj(0);
    WriteLine("<</Type /OCMD");
    WriteLine("/OCGs [" + members + "]");
    if (members.empty())
        WriteLine(kPolicies[kAllOn]);
    else if (record.Policy >= 0 && record.Policy <= 3)
        WriteLine(kPolicies[record.Policy]);
    WriteLine(">>");
    EndObj();
    mLayers.PropertiesRes +=
        LayerResourceName("GRLAY_" + std::to_string(index)) + " " + Ref(object);
}

void Pagelith::AddImportedLayer(int object, bool hidden)
{
    if (mPdfa.on)
        return;
    mLayers.ImportedRefs += Ref(object);
    if (hidden)
        mLayers.ImportedOffRefs += Ref(object);
}

bool Pagelith::HasLayers() const
{
    return !mLayers.Layers.empty() || !mLayers.ImportedRefs.empty();
}

// The catalog's line, made while the catalog is written so that its title string belongs
// to the catalog.
std::string Pagelith::OCPropertiesLine() const
{
    const LayerList& l = mLayers;
    std::string usage;
    std::string special;
    if (l.PrinterObject != 0)
        special += Ref(l.PrinterObject);
    if (l.ScreenObject != 0)
        special += Ref(l.ScreenObject);
    if (l.PrinterObject != 0)
        usage += "<</Event /Print /OCGs [" + special + "] /Category [/Print]>> ";
    if (l.ScreenObject != 0)
        usage += "<</Event /View /OCGs [" + special + "] /Category [/View]>> ";
    return "/OCProperties <</OCGs [" + l.GroupRefs + l.ImportedRefs + "] /D <</AS [ " + usage + "]\n/ON [" +
           l.OnRefs + "] \n/OFF [" + l.OffRefs + l.ImportedOffRefs + "] \n/Order [" + PdfDictText(mInfo.title) + " " +
           l.OrderText + l.ImportedRefs + "]>>  >>";
}

}  // namespace pdf
