#include "ui/label_pane.h"

#include "ui/caption_shortcut.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/native_controls.h"
#include "ui/standard_pane.h"

namespace ql::ui {
namespace {

const ControlEventSlots kLabelSlots{
    .mouseDown = static_cast<int32_t>(StaticTextEvent::MouseDown),
    .mouseDrag = static_cast<int32_t>(StaticTextEvent::MouseDrag),
    .mouseUp = static_cast<int32_t>(StaticTextEvent::MouseUp),
};

bool SameText(RuntimeString* a, RuntimeString* b) { return CompareBinary(a, b) == 0; }

}  // namespace

void LabelPane::Create(StaticTextObject* label) {
  RuntimeObject* control = &label->control.header;
  auto* pane = new LabelPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, label->control.bounds,
                         PaneWindowSpec{.className = "QL_Pane", .text = label->text});
  InstallControlPane(control, pane, &kLabelSlots);
  pane->TakeAppearance(*label);
}

void LabelPane::TakeAppearance(const StaticTextObject& label) {
  const bool newText = !SameText(text_.get(), label.text);
  const bool newFont = !SameText(face_.get(), label.font.textFont) || size_ != label.font.textSize ||
                       bold_ != (label.font.bold != 0) || italic_ != (label.font.italic != 0) ||
                       underline_ != (label.font.underline != 0) || !Font();
  const bool changed = newText || newFont || align_ != label.textAlign ||
                       colour_ != static_cast<uint32_t>(label.textColor) || multiLine_ != (label.multiLine != 0);
  if (!changed) return;
  if (newText) {
    text_ = String::Retain(label.text);
    if (NativeHandle()) native::SetText(NativeHandle(), text_.get());
    RegisterShortcut();
  }
  if (newFont) {
    face_ = String::Retain(label.font.textFont);
    size_ = label.font.textSize;
    bold_ = label.font.bold;
    italic_ = label.font.italic;
    underline_ = label.font.underline;
    UseControlFont(this, FontChoice{face_.get(), size_, bold_, italic_, underline_});
  }
  align_ = label.textAlign;
  colour_ = static_cast<uint32_t>(label.textColor);
  multiLine_ = label.multiLine;
  if (NativeHandle()) native::Invalidate(NativeHandle(), nullptr, true);
}

void LabelPane::RegisterShortcut() {
  String name = CaptionShortcutName(text_.get());
  if (name.empty())
    RemoveShortcut(this, ShortcutKind::StaticText);
  else
    EnterControlShortcut(this, ShortcutKind::StaticText, name.get());
}

void LabelPane::Paint(const PaintContext& context) {
  FillPaneBackground(this, context.deviceContext);
  if (!Showing()) return;
  const Rect16 b = Bounds();
  native::LabelText label;
  label.text = text_.get();
  label.font = Font();
  label.colourRef = native::SystemColour(Enabled() ? colour_ : DisabledTextColor(colour_));
  label.box = Rect16{0, 0, static_cast<int16_t>(b.bottom - b.top), static_cast<int16_t>(b.right - b.left)};
  label.align = align_;
  label.multiLine = multiLine_;
  native::DrawLabelText(context.deviceContext, label);
}

bool LabelPane::ShortcutAction() {
  if (!Enabled()) return false;
  PaneLock lock(this);
  return FireEvent(Control(), static_cast<int32_t>(StaticTextEvent::AcceleratorKey));
}

}  // namespace ql::ui
