// One-dimensional barcodes: the symbology chosen by its type code, the bars as filled
// rectangles, the human-readable text under them.
#include "pdf/draw/barcode_geometry.h"
#include "pdf/pagelith.h"

namespace pdf {

float Pagelith::DrawBarCode(int barCodeType, std::string code, float x, float y, bool showCode,
                            float zoomFactor, float height, bool addCheck)
{
    RequireFinite({x, y, zoomFactor, height});
    if (!CanDraw("DrawBarCode"))
        return 0;
    // The text's font must not outlive the call.
    if (showCode)
        SaveGraphicState(StateOpener::Barcode);
    float width = 0;
    try {
        switch (barCodeType) {
        case 0: width = DrawEan13(code, x, y, showCode, zoomFactor, height); break;
        case 1: width = DrawCode39(code, x, y, showCode, zoomFactor, height, addCheck); break;
        case 2:
            width = DrawInterleaved2of5(code, x, y, showCode, zoomFactor, height, addCheck);
            break;
        case 3: width = DrawPostnet(code, x, y, showCode, zoomFactor); break;
        case 4: width = DrawCode128(code, x, y, showCode, zoomFactor, height); break;
        case 5: width = DrawEan8(code, x, y, showCode, zoomFactor, height); break;
        default: break;
        }
    } catch (...) {
        // A text placed beyond the writable range fails after its font was selected.
        if (showCode)
            RestoreGraphicState(StateOpener::Barcode);
        throw;
    }
    if (showCode)
        RestoreGraphicState(StateOpener::Barcode);
    return width;
}

void Pagelith::PutBar(float x, float y, float w, float h)
{
    PutLine(FormatCoord(x) + " " + FormatCoord(y) + " " + FormatCoord(w) + " " + FormatCoord(h) +
            " re f*");
}

void Pagelith::PutBarcodeText(float x, float y, float zoom, const std::string& text, int align)
{
    SetFont("CourierNew", kBarcodeFontSize * zoom, 0, 0);
    DrawText(x, y, text, align);
}

}  // namespace pdf
