// A control array: elements sharing a name and handlers, told apart by their Index.  Element
// 0 is the designed one and serves as the hidden template of the elements loaded at run time.
//
//   forms::ControlArray<forms::Label> lblJour{fraCalendar, "lblJour"};
//   lblJour[0].SetWidth(2622);          // the template
//   lblJour.Load(1).SetVisible(true);   // a copy of element 0, hidden until shown
//   imgToday.Load(1, fraSemaine);       // a copy standing in another frame
//   lblJour.Click = [this](int index) { lblJour_Click(index); };
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"
#include "forms/error.h"
#include "forms/form.h"

namespace forms {

template <class T>
class ControlArray : public ControlEvents<int> {
 public:
  ControlArray(Container& parent, std::string name) {
    auto first = std::make_unique<T>(parent, std::move(name));
    first->index_ = 0;
    first->arrayEvents_ = this;
    elements_.emplace(0, std::move(first));
  }
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  // The element `index`; an error (340) when it is not loaded.
  T& operator[](int index) const {
    auto it = elements_.find(index);
    if (it == elements_.end())
      throw RuntimeError(kErrNoSuchElement, "Control array element '" + std::to_string(index) +
                                                "' doesn't exist");
    return *it->second;
  }
  bool Exists(int index) const { return elements_.count(index) != 0; }

  // The number of loaded elements, element 0 included.
  int Count() const { return static_cast<int>(elements_.size()); }
  int LBound() const { return elements_.begin()->first; }
  int UBound() const { return elements_.rbegin()->first; }
  // The loaded indexes in increasing order.
  std::vector<int> Indexes() const {
    std::vector<int> result;
    for (const auto& entry : elements_) result.push_back(entry.first);
    return result;
  }

  // Loads element `index` as a copy of element 0, hidden and in front of its siblings; an
  // error (360) when it is loaded already.
  T& Load(int index) { return Load(index, elements_.at(0)->Parent()); }

  // The same, but the element stands in `container` (a frame of the same form, or the form),
  // as an element the designer placed in another frame than element 0 does.  Its geometry
  // is copied unchanged and so is relative to its own container.  The container must
  // outlive the element: when it goes first, unload the element before.
  T& Load(int index, Container& container) {
    if (index < 0) throw RuntimeError(kErrInvalidArgument, "Invalid procedure call or argument");
    if (Exists(index)) throw RuntimeError(kErrAlreadyLoaded, "Object already loaded");
    const T& source = *elements_.at(0);
    if (&container.OwnerForm() != &source.OwnerForm())
      throw RuntimeError(kErrInvalidArgument, "Invalid procedure call or argument");
    std::unique_ptr<T> element(new T(source));
    if (&container != &source.Parent()) {
      element->Detach();
      element->parent_ = &container;
      element->Attach();
    }
    element->index_ = index;
    element->arrayEvents_ = this;
    T& result = *element;
    elements_.emplace(index, std::move(element));
    result.OwnerForm().NotifyAdded(result);
    return result;
  }

  // Removes element `index`.  Safe inside the element's own handler: the object outlives the
  // events under way.  Element 0 cannot be unloaded (362).
  void Unload(int index) {
    if (index == 0)
      throw RuntimeError(kErrCannotUnloadDesigned, "Can't unload controls created at design time");
    auto it = elements_.find(index);
    if (it == elements_.end())
      throw RuntimeError(kErrNoSuchElement, "Control array element '" + std::to_string(index) +
                                                "' doesn't exist");
    std::unique_ptr<Control> element = std::move(it->second);
    elements_.erase(it);
    Form& form = element->OwnerForm();
    form.Bury(std::move(element));
  }

 private:
  std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace forms
