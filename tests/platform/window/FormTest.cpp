// Forms: frame metrics, reading a layout with OnCreate after the load,
// writing it back, modal showing and the application loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "WindowTestSupport.h"
#include "platform/window/Application.h"
#include "platform/window/ControlProperties.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/FormWriter.h"

namespace tintoral::test {
namespace {

class TTestPanel : public TCustomControl {
  TINTORAL_CLASS(TTestPanel, TCustomControl)
 public:
  explicit TTestPanel(TComponent* owner) : TCustomControl(owner) {}
};

const TClassInfo& TTestPanel::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestPanel>("TTestPanel", TCustomControl::StaticClass(), [](auto& b) {
    PublishControlProperties(
        b,
        {"Align", "Caption", "Color", "Font", "ParentColor", "ParentFont", "TabOrder", "TabStop", "Visible", "OnClick"},
        {.color = clBtnFace});
  });
  return info;
}

class TTestForm1 : public TForm {
  TINTORAL_CLASS(TTestForm1, TForm)
 public:
  TTestForm1(TComponent* owner, std::string_view layout) : TForm(owner) { LoadLayout(layout); }

  void FormCreate(TObject*) {
    created.push_back("create: client " + std::to_string(ClientWidth()) + "x" + std::to_string(ClientHeight()) +
                      ", panel loading " + std::to_string(Panel1 && Panel1->IsLoading()));
  }
  void PanelClick(TObject* sender) { created.push_back("click " + static_cast<TComponent*>(sender)->Name()); }

  std::vector<std::string> created;
  TTestPanel* Panel1 = nullptr;
  TTestPanel* Panel2 = nullptr;
};

const TClassInfo& TTestForm1::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestForm1>("TTestForm1", TForm::StaticClass(), [](auto& b) {
    b.Method("FormCreate", &TTestForm1::FormCreate);
    b.Method("PanelClick", &TTestForm1::PanelClick);
    b.Field("Panel1", &TTestForm1::Panel1);
    b.Field("Panel2", &TTestForm1::Panel2);
  });
  return info;
}

constexpr char kLayout[] = R"(object Form1: TTestForm1
  Left = 375
  Top = 349
  AutoScroll = False
  Caption = 'Acerca de ...'
  ClientHeight = 244
  ClientWidth = 298
  BorderStyle = bsDialog
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = True
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Panel2: TTestPanel
    Left = 8
    Top = 4
    Width = 100
    Height = 50
    TabOrder = 1
    TabStop = True
  end
  object Panel1: TTestPanel
    Left = 8
    Top = 60
    Width = 281
    Height = 100
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlue
    Font.Height = -19
    Font.Name = 'Comic Sans MS'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 0
    TabStop = True
    OnClick = PanelClick
  end
end
)";

class FormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterWindowClasses();
    RegisterComponentClass<TTestPanel>();
  }
  static TRect Screen() {
    const QRect r = QGuiApplication::primaryScreen()->geometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
  }
};

TEST_F(FormTest, OuterSizeIsTheClientSizePlusTheClassicFrame) {
  TForm form(nullptr);
  form.SetBounds(234, 109, 685, 554);  // sizeable: 4-pixel border, 19-pixel caption
  EXPECT_EQ(form.ClientWidth(), 677);
  EXPECT_EQ(form.ClientHeight(), 527);
  form.SetBorderStyle(bsDialog);  // 3-pixel border
  EXPECT_EQ(form.ClientWidth(), 679);
  form.SetClientSize(298, 244);
  EXPECT_EQ(form.Width(), 304);
  EXPECT_EQ(form.Height(), 269);
  form.SetBorderStyle(bsNone);
  EXPECT_EQ(form.ClientRect(), (TRect{0, 0, 304, 269}));
  form.Show();
  EXPECT_EQ(form.Widget()->size(), QSize(304, 269));  // the window's client area
}

TEST_F(FormTest, LayoutIsReadThenOnCreateRunsWithEverythingLoaded) {
  TTestForm1 form(nullptr, kLayout);
  EXPECT_EQ(form.created, (std::vector<std::string>{"create: client 298x244, panel loading 0"}));
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Caption(), "Acerca de ...");
  EXPECT_EQ(form.Width(), 304);
  EXPECT_EQ(form.BorderStyle(), bsDialog);
  EXPECT_FALSE(form.Visible());
  ASSERT_NE(form.Panel1, nullptr);
  ASSERT_NE(form.Panel2, nullptr);
  EXPECT_EQ(form.Panel1->Parent(), &form);
  EXPECT_EQ(form.Panel1->Font().Height(), -19);
  EXPECT_EQ(form.Panel2->Font().Name(), "MS Sans Serif");
  EXPECT_TRUE(form.Panel2->ParentFont());
  EXPECT_EQ(form.Panel1->TabOrder(), 0);  // tab orders from the stream, applied after it
  EXPECT_EQ(form.Panel2->TabOrder(), 1);
  form.Panel1->Click();
  EXPECT_EQ(form.created.back(), "click Panel1");
}

TEST_F(FormTest, LayoutWritesBackWithClassicStorageRules) {
  TTestForm1 form(nullptr, kLayout);
  const std::string text = WriteComponentText(form);
  EXPECT_NE(text.find("  ClientHeight = 244\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("\n  Width = "), std::string::npos) << text;  // AutoScroll off: the client size instead
  EXPECT_NE(text.find("  OnCreate = FormCreate\n"), std::string::npos) << text;
  EXPECT_NE(text.find("    Font.Height = -19\n"), std::string::npos) << text;
  // Panel2 follows the form's font and colour: neither is written.
  const std::string panel2 =
      text.substr(text.find("object Panel2"), text.find("object Panel1") - text.find("object Panel2"));
  EXPECT_EQ(panel2.find("Font."), std::string::npos) << panel2;
  EXPECT_EQ(panel2.find("Color"), std::string::npos) << panel2;
  TTestForm1 again(nullptr, text);
  EXPECT_EQ(WriteComponentText(again), text);
}

TEST_F(FormTest, ShowModalCentresOnTheScreenEveryTimeAndEnterPressesTheDefaultButton) {
  TForm about(nullptr);
  about.SetBorderStyle(bsDialog);
  about.SetBounds(375, 349, 304, 269);
  auto* ok = new TTestButton(&about);
  ok->isDefault = true;
  ok->modalResult = mrOk;
  ok->SetParent(&about);
  const TRect screen = Screen();
  for (int showing = 0; showing < 2; ++showing) {
    bool modalWhileShown = false;
    TPoint placed;
    QTimer::singleShot(0, [&] {
      modalWhileShown = QApplication::activeModalWidget() == about.Widget();
      placed = {about.Left(), about.Top()};
      PressKey(about.Widget(), Qt::Key_Return, Qt::NoModifier, "\r");
    });
    EXPECT_EQ(about.ShowModal(), mrOk);
    EXPECT_TRUE(modalWhileShown);
    EXPECT_EQ(placed, (TPoint{screen.Left + (screen.Width() - 304) / 2, screen.Top + (screen.Height() - 269) / 2}));
    EXPECT_FALSE(about.Visible());
    EXPECT_FALSE(about.Widget()->isVisible());
    about.SetBounds(0, 0, 304, 269);  // moved away: centred again next time
  }
  EXPECT_EQ(ok->clicks, 2);
}

TEST_F(FormTest, TheCloseBoxEndsAModalShowingWithCancel) {
  TForm dialog(nullptr);
  std::vector<std::string> events;
  dialog.SetOnClose([&](TObject*, TCloseAction& action) { events.push_back("close " + std::to_string(action)); });
  dialog.SetOnShow([&](TObject*) { events.push_back("show"); });
  QTimer::singleShot(0, [&] { dialog.Widget()->close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(events, (std::vector<std::string>{"show", "close 1"}));
  EXPECT_THROW(
      {
        dialog.Show();
        dialog.ShowModal();
      },
      InvalidOperation);
}

TEST_F(FormTest, RunShowsTheMainFormUntilItClosesThenDestroysTheForms) {
  TApplication& app = Application();
  TForm* main = app.CreateForm<TForm>();
  TForm* second = app.CreateForm<TForm>();
  EXPECT_EQ(app.MainForm(), main);
  bool shownDuringRun = false;
  std::vector<std::string> destroyed;
  main->SetOnDestroy([&](TObject*) { destroyed.push_back("main"); });
  second->SetOnDestroy([&](TObject*) { destroyed.push_back("second"); });
  QTimer::singleShot(0, [&] {
    shownDuringRun = main->Widget() && main->Widget()->isVisible();
    main->Close();
  });
  app.Run();
  EXPECT_TRUE(shownDuringRun);
  EXPECT_EQ(destroyed, (std::vector<std::string>{"main", "second"}));
  EXPECT_EQ(app.ComponentCount(), 0);
  EXPECT_EQ(app.MainForm(), nullptr);
}

}  // namespace
}  // namespace tintoral::test
