#include "forms/shape.h"

namespace forms {

Shape::Shape(Container& parent, std::string name) : Control(parent, std::move(name)) {
  SetBackColor(kWindowBackground);
  Move(0, 0, 1215, 1215);
}

void Shape::SetShape(int value) { Update(shape_, value); }
void Shape::SetFillColor(Color value) { Update(fillColor_, value); }
void Shape::SetFillStyle(int value) { Update(fillStyle_, value); }
void Shape::SetBorderColor(Color value) { Update(borderColor_, value); }
void Shape::SetBorderWidth(int value) { Update(borderWidth_, value); }
void Shape::SetBorderStyle(int value) { Update(borderStyle_, value); }
void Shape::SetBackStyle(int value) { Update(backStyle_, value); }

}  // namespace forms
