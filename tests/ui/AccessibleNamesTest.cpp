#include <QAccessible>
#include <QAction>
#include <QWidget>

#include "MainWindowFixture.h"
#include "NamedRows.h"

namespace {

// The controls a screen reader can land on and say nothing for: focusable
// ones and menu items without a name. A focusable control's own parts (a
// combo box's edit line and list) are its to name.
void CollectNameless(QAccessibleInterface* node, QStringList& nameless) {
  const bool reachable = node->state().focusable || node->role() == QAccessible::MenuItem;
  if (reachable && node->text(QAccessible::Name).trimmed().isEmpty())
    nameless << node->object()->objectName() + "/" + node->object()->metaObject()->className();
  if (node->state().focusable) return;
  for (int i = 0; i < node->childCount(); ++i) CollectNameless(node->child(i), nameless);
}

struct WindowRow {
  std::string name;
  const char* window;  // its object name, the class name its .ui file gives
  // A control and the label beside it that names it; none when empty.
  const char* control;
  const char* label;
  QAction* (TForm1::*item)() const = nullptr;  // opens a window made when first shown
};

class AccessibleNames : public MainWindowFixture,
                        public ::testing::WithParamInterface<WindowRow> {};

TEST_P(AccessibleNames, EveryReachableControlHasANameAndLabelsAreTied) {
  Remember("COM2", "TVA740v2_299Type");
  TForm1& main = Start();
  if (GetParam().item) (main.*GetParam().item)()->trigger();
  QWidget* window =
      main.objectName() == GetParam().window ? &main : main.findChild<QWidget*>(GetParam().window);
  QStringList nameless;
  CollectNameless(QAccessible::queryAccessibleInterface(window), nameless);
  EXPECT_TRUE(nameless.isEmpty()) << nameless.join(", ").toStdString();

  if (!*GetParam().control) return;
  auto interfaceOf = [&](const char* name) {
    return QAccessible::queryAccessibleInterface(window->findChild<QWidget*>(name));
  };
  const auto labels = interfaceOf(GetParam().control)->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.first().first, interfaceOf(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Windows, AccessibleNames,
                         ::testing::Values(WindowRow{"Main", "TForm1", "", ""},
                                           WindowRow{"Option", "TfmOption", "cbCOM", "stCOM"},
                                           WindowRow{"AutoMode", "TfmSetupAUTO", "cbUb", "stUb"},
                                           WindowRow{"AutoModeRe", "TfmSetupAUTO", "cbRe", "stRe"},
                                           WindowRow{"Voltage", "TfmChangeVoltage", "", ""},
                                           WindowRow{"About", "TfmInfo", "", ""},
                                           WindowRow{"Help", "TfmHelp", "", ""},
                                           WindowRow{"Changes", "TfmChanges", "cbPort", "stPort",
                                                     &TForm1::mmChanges}),
                         RowName());

}  // namespace
