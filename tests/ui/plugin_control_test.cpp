// A plug-in control class in a window: new objects take the record's
// default size, the framework builds its pane, and painting calls the
// record's hook with the window's coordinates.
#include <gtest/gtest.h>

#include <vector>

#include "control_world.h"
#include "core/class_lookup.h"
#include "core/object.h"
#include "quillon/entrypoints/objects.h"
#include "startup/plugin_classes.h"
#include "ui/control_layer.h"
#include "ui/control_object.h"

namespace ql::test {
namespace {

std::vector<QuillonRect> g_painted;
void PaintLine(RuntimeObject*, void*, const QuillonRect* bounds) { g_painted.push_back(*bounds); }
int g_ownInits = 0;
void OwnInit(RuntimeObject*) { ++g_ownInits; }

// Registered once for the process, like a plug-in's QUILPluginMain.
void RegisterLineClass() {
  static bool done = [] {
    static const QuillonPluginControl control{64, 4, PaintLine};
    QuillonPluginClass c{};
    c.version = QUILLON_PLUGIN_VERSION;
    c.name = "TestEtchedLine";
    c.superName = "RectControl";
    c.fieldBytes = 4;
    c.initHook = OwnInit;
    c.control = &control;
    EXPECT_EQ(RuntimeRegisterPluginClass(&c), 1);
    CompletePluginClasses();
    return true;
  }();
  (void)done;
}

class PluginControl : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::InstallControlLayer();
    RegisterLineClass();
    g_painted.clear();
  }
};

TEST_F(PluginControl, ANewObjectHasTheDefaultSizeAndThePluginsOwnInit) {
  const int inits = g_ownInits;
  ObjectRef line = ObjectRef::Adopt(RuntimeNewObject(LookupClass("TestEtchedLine")));
  const ui::Rect16 b = ui::AsControl(line.get())->bounds;
  EXPECT_EQ(b.right - b.left, 64);
  EXPECT_EQ(b.bottom - b.top, 4);
  EXPECT_EQ(g_ownInits, inits + 1);
}

TEST_F(PluginControl, ItsPaneCallsThePaintHookWithWindowCoordinates) {
  KindWindow w;
  w.className = "SeparatorWindow";
  w.controls = {KindDesign{.kind = "TestEtchedLine", .className = "Separator1", .bounds = {212, 30, 217, 257}},
                KindDesign{.kind = "TestEtchedLine", .className = "Separator2", .bounds = {10, 10, 14, 74},
                           .values = {{"Visible", false}}}};
  ObjectRef window = ObjectRef::Adopt(OpenKindWindow(w));
  ui::Pane* pane = ui::AsControl(Kind(window.get(), "Separator1"))->pane;
  ASSERT_NE(pane, nullptr);
  EXPECT_STREQ(pane->NativeClass(), "QL_Pane");
  pane->Paint(ui::PaintContext{});
  ui::AsControl(Kind(window.get(), "Separator2"))->pane->Paint(ui::PaintContext{});
  ASSERT_EQ(g_painted.size(), 1u) << "a hidden one draws nothing";
  EXPECT_EQ(g_painted[0].top, 212);
  EXPECT_EQ(g_painted[0].left, 30);
  EXPECT_EQ(g_painted[0].bottom, 217);
  EXPECT_EQ(g_painted[0].right, 257);
}

}  // namespace
}  // namespace ql::test
