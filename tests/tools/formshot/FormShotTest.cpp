// formshot's parts: building the program's own forms, reading form files of
// unregistered classes, command-line assignments of every value kind, the
// command line, and what gets rendered.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "app/Resources.h"
#include "app/VectorDiagram.h"
#include "instruments/InstrumentClasses.h"
#include "instruments/SevenSegmentInteger.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/window/Form.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"
#include "platform/window/StandardControls.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"
#include "runtime/PropertyInfo.h"
#include "tests/support/TestTempPath.h"
#include "tools/formshot/CommandLine.h"
#include "tools/formshot/FormLoading.h"
#include "tools/formshot/ProgramForms.h"
#include "tools/formshot/PropertyAssignment.h"

namespace tintoral {
namespace {

// A component with the value kinds the standard controls do not publish.
class TValueHolder : public TComponent {
  TINTORAL_CLASS(TValueHolder, TComponent)

 public:
  using TComponent::TComponent;
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  long double Precise() const { return precise_; }
  void SetPrecise(long double v) { precise_ = v; }
  char Letter() const { return letter_; }
  void SetLetter(char v) { letter_ = v; }
  TVariant Value() const { return value_; }
  void SetValue(const TVariant& v) { value_ = v; }
  std::int64_t Big() const { return big_; }
  void SetBig(std::int64_t v) { big_ = v; }

 private:
  double ratio_ = 0;
  long double precise_ = 0;
  char letter_ = 'a';
  TVariant value_;
  std::int64_t big_ = 0;
};

const TClassInfo& TValueHolder::StaticClass() {
  static const TClassInfo info = DescribeClass<TValueHolder>("TValueHolder", TComponent::StaticClass(), [](auto& b) {
    b.Property("Ratio", &TValueHolder::Ratio, &TValueHolder::SetRatio);
    b.Property("Precise", &TValueHolder::Precise, &TValueHolder::SetPrecise);
    b.Property("Letter", &TValueHolder::Letter, &TValueHolder::SetLetter);
    b.Property("Value", &TValueHolder::Value, &TValueHolder::SetValue);
    b.Property("Big", &TValueHolder::Big, &TValueHolder::SetBig);
  });
  return info;
}

constexpr char kUnregisteredForm[] = R"(object Form1: TPruebaForm
  Left = 10
  Top = 10
  Width = 208
  Height = 127
  Caption = 'Prueba'
  OnCreate = FormCreate
  OnClick = FormCreate
  object Panel3: TPanel
    Left = 0
    Top = 0
    Width = 100
    Height = 50
    Color = clBlack
    OnClick = PanelClick
    object Label9: TLabel
      Left = 4
      Top = 4
      Caption = 'Luminancia'
    end
  end
  object PageControl1: TPageControl
    Left = 100
    Top = 0
    Width = 100
    Height = 100
    object TabSheet1: TTabSheet
      Caption = 'Uno'
    end
    object TabSheet2: TTabSheet
      Caption = 'Dos'
    end
  end
end
)";

// A form class of a program, built from its layout text as the program
// builds it: a readout's change doubles into another readout.
class TShotForm : public TForm {
  TINTORAL_CLASS(TShotForm, TForm)

 public:
  TShotForm(TComponent* owner, std::string_view layoutText) : TForm(owner) { LoadLayout(layoutText); }
  TiSevenSegmentInteger* Count = nullptr;
  TiSevenSegmentInteger* Twice = nullptr;
  int creations = 0;
  void FormCreate(TObject*) { ++creations; }
  void CountChange(TObject*) { Twice->SetValue(2 * Count->Value()); }
};

const TClassInfo& TShotForm::StaticClass() {
  static const TClassInfo info = DescribeClass<TShotForm>("TShotForm", TForm::StaticClass(), [](auto& b) {
    b.Field("Count", &TShotForm::Count);
    b.Field("Twice", &TShotForm::Twice);
    b.Method("FormCreate", &TShotForm::FormCreate);
    b.Method("CountChange", &TShotForm::CountChange);
  });
  return info;
}

constexpr char kShotForm[] = R"(object ShotForm: TShotForm
  OnCreate = FormCreate
  object Count: TiSevenSegmentInteger
    Value = 4
    OnValueChange = CountChange
  end
  object Twice: TiSevenSegmentInteger
  end
end
)";

class FormShotTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
    RegisterTintoralForms();
    RegisterProgramForm<TShotForm>();
  }
  static void Set(TComponent& root, const std::string& text) {
    ApplyPropertyAssignment(root, ParsePropertyAssignment(text));
  }
  static std::string ErrorOf(TComponent& root, const std::string& text) {
    try {
      Set(root, text);
    } catch (const Exception& error) {
      return error.Message();
    }
    return "no error";
  }
};

// Handlers bound to the class's methods, the creation handler run once after
// loading, and an assignment that goes through the setter fires the event.
TEST_F(FormShotTest, ProgramFormIsBuiltAsItsClassAndAssignmentsRunItsHandlers) {
  const TLoadedForm form = LoadForm(kShotForm);
  EXPECT_FALSE(form.IsStandIn());
  auto& shot = dynamic_cast<TShotForm&>(form.Root());
  EXPECT_EQ(shot.creations, 1);
  EXPECT_EQ(shot.Count->Value(), 4);  // read from the layout: no event
  EXPECT_EQ(shot.Twice->Value(), 0);
  Set(shot, "Count.Value=21");
  EXPECT_EQ(shot.Twice->Value(), 42);
}

// The program's main window from its layout file: its own class, with the
// first refresh of FormCreate drawn on the vector image.
TEST_F(FormShotTest, MainWindowLayoutIsBuiltAsTheProgramsMainWindow) {
  const TLoadedForm form = LoadForm(MainFormText());
  auto* window = dynamic_cast<TForm1*>(&form.Root());
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(form.IsStandIn());
  const TBitmap* diagram = window->Vector->Picture().Graphic();
  ASSERT_NE(diagram, nullptr);
  EXPECT_EQ(diagram->Width(), kVectorDiagramWidth);
  EXPECT_EQ(diagram->Pixel(153, 10), clGreen);  // the vertical axis on black
  EXPECT_EQ(diagram->Pixel(100, 60), clBlack);
}

TEST_F(FormShotTest, FormOfAnUnregisteredClassReadsIntoAStandInWithItsHandlersBound) {
  EXPECT_EQ(RootClassName(kUnregisteredForm), "TPruebaForm");
  EXPECT_EQ(EventHandlerNames(kUnregisteredForm), (std::vector<std::string>{"FormCreate", "PanelClick"}));
  const TLoadedForm form = LoadForm(kUnregisteredForm);
  ASSERT_TRUE(form.IsStandIn());
  TComponent& root = form.Root();
  EXPECT_EQ(root.ClassName(), "TPruebaForm");
  EXPECT_TRUE(root.InheritsFrom(TForm::StaticClass()));
  EXPECT_EQ(root.ClassType().FindProperty("OnCreate")->GetMethodName(root), "FormCreate");
  auto* label = root.FindComponentAs<TLabel>("Label9");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), "Luminancia");
  EXPECT_EQ(root.FindComponentAs<TPanel>("Panel3")->Color(), clBlack);
}

TEST_F(FormShotTest, FormOfARegisteredClassIsReadAsThatClass) {
  const TLoadedForm form = LoadForm("object F: TForm\n  Caption = 'x'\nend\n");
  EXPECT_FALSE(form.IsStandIn());
  EXPECT_EQ(form.Root().ClassType().Name(), "TForm");
}

TEST_F(FormShotTest, ReadingErrorsNameTheUnknownClassPropertyOrMalformedPlace) {
  const auto errorOf = [](const std::string& text) -> std::string {
    try {
      LoadForm(text);
    } catch (const StreamError& error) {
      return error.Message();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf("object F: TPruebaForm\n  object G: TGauge\n  end\nend\n"), "Line 2: Class 'TGauge' not found");
  EXPECT_EQ(errorOf("object F: TPruebaForm\n  Colour = clRed\nend\n"), "Line 2: Property 'Colour' does not exist");
  EXPECT_EQ(errorOf("object F: TPruebaForm\n  Caption = \nend\n").rfind("Line 3:", 0), 0u);
  EXPECT_EQ(errorOf("object F: TPruebaForm\n  Caption = 'x'\n"), "Line 3: 'end' expected but end of file found");
}

TEST_F(FormShotTest, FormFileErrorsNameTheFileAndTheLine) {
  const std::string path = tintoral::test::TestTempPath("BrokenForm.txt");
  std::ofstream(path) << "object F: TPruebaForm\n  Caption = 'x'\n  Colour\nend\n";
  try {
    LoadFormFile(path);
    ADD_FAILURE() << "no error";
  } catch (const StreamError& error) {
    EXPECT_EQ(error.Message(), path + ":4: '=' expected but 'end' found");
  }
  std::remove(path.c_str());
  EXPECT_THROW(LoadFormFile(path), FileError);
}

TEST_F(FormShotTest, AssignmentsReachComponentsSubObjectsAndTheRoot) {
  const TLoadedForm form = LoadForm(kUnregisteredForm);
  TComponent& root = form.Root();
  auto* label = root.FindComponentAs<TLabel>("Label9");
  Set(root, "Label9.Caption=Versi\xC3\xB3n");  // UTF-8 on the command line
  EXPECT_EQ(label->Caption(), "Versi\xF3n");   // Windows-1252 in the form
  Set(root, "Label9.Font.Color=clRed");
  EXPECT_EQ(label->Font().Color(), clRed);
  Set(root, "Label9.Font.Style=[fsBold,fsItalic]");
  EXPECT_EQ(label->Font().ClassType().FindProperty("Style")->GetOrdinal(label->Font()), 3);
  Set(root, "Label9.Font.Style=[]");
  EXPECT_EQ(label->Font().ClassType().FindProperty("Style")->GetOrdinal(label->Font()), 0);
  Set(root, "Label9.Left=-7");
  EXPECT_EQ(label->Left(), -7);
  Set(root, "Panel3.Color=$0000FF");
  EXPECT_EQ(root.FindComponentAs<TPanel>("Panel3")->Color(), clRed);
  Set(root, "Label9.Visible=False");
  EXPECT_FALSE(label->Visible());
  Set(root, "Form1.Caption=Otra");
  EXPECT_EQ(dynamic_cast<TForm&>(root).Caption(), "Otra");
  Set(root, "PageControl1.ActivePage=TabSheet2");
  EXPECT_EQ(root.FindComponentAs<TPageControl>("PageControl1")->ActivePage(), root.FindComponent("TabSheet2"));
}

TEST_F(FormShotTest, AssignmentValuesOfFloatCharVariantAndInt64Kinds) {
  TComponent root(nullptr);
  root.SetName("Root");
  auto* holder = new TValueHolder(&root);
  holder->SetName("Holder");
  Set(root, "Holder.Ratio=0.1");
  EXPECT_EQ(holder->Ratio(), 0.1);  // read as a double at once, not via long double
  Set(root, "Holder.Precise=-2.5E3");
  EXPECT_EQ(holder->Precise(), -2500.0L);
  Set(root, "Holder.Letter=\xC3\xB3");
  EXPECT_EQ(holder->Letter(), '\xF3');
  Set(root, "Holder.Big=$100000000");
  EXPECT_EQ(holder->Big(), std::int64_t{1} << 32);
  Set(root, "Holder.Value=12");
  EXPECT_EQ(holder->Value(), TVariant(std::int32_t{12}));
  Set(root, "Holder.Value=1.5");
  EXPECT_EQ(holder->Value(), TVariant(1.5));
  Set(root, "Holder.Value=doce");
  EXPECT_EQ(holder->Value(), TVariant(std::string("doce")));
  EXPECT_EQ(ErrorOf(root, "Holder.Ratio=1,5"), "Invalid value '1,5' for property 'Holder.Ratio'");
  EXPECT_EQ(ErrorOf(root, "Holder.Letter=ab"), "Invalid value 'ab' for property 'Holder.Letter'");
}

TEST_F(FormShotTest, AssignmentErrorsNameWhatIsUnknownOrDoesNotFit) {
  const TLoadedForm form = LoadForm(kUnregisteredForm);
  TComponent& root = form.Root();
  EXPECT_EQ(ErrorOf(root, "Labl9.Caption=x"), "Unknown component 'Labl9'");
  EXPECT_EQ(ErrorOf(root, "Label9.Colour=x"), "Unknown property 'Label9.Colour'");
  EXPECT_EQ(ErrorOf(root, "Label9.Caption.Text=x"), "Unknown property 'Label9.Caption.Text'");
  EXPECT_EQ(ErrorOf(root, "Label9.Font.Colour=clRed"), "Unknown property 'Label9.Font.Colour'");
  EXPECT_EQ(ErrorOf(root, "Label9.Color=reddish"), "Invalid value 'reddish' for property 'Label9.Color'");
  EXPECT_EQ(ErrorOf(root, "Label9.Left=1.5"), "Invalid value '1.5' for property 'Label9.Left'");
  EXPECT_EQ(ErrorOf(root, "Label9.Left=99999999999"), "Invalid value '99999999999' for property 'Label9.Left'");
  EXPECT_EQ(ErrorOf(root, "Label9.Visible=maybe"), "Invalid value 'maybe' for property 'Label9.Visible'");
  EXPECT_EQ(ErrorOf(root, "Label9.Font.Style=[fsBold,fsLoud]"),
            "Invalid value '[fsBold,fsLoud]' for property 'Label9.Font.Style'");
  EXPECT_EQ(ErrorOf(root, "PageControl1.ActivePage=TabSheet9"), "Unknown component 'TabSheet9'");
  EXPECT_EQ(ErrorOf(root, "Panel3.OnClick=Other"), "Property 'Panel3.OnClick' cannot be set from the command line");
  EXPECT_EQ(ErrorOf(root, "Caption"), "Expected Component.Property=Value: 'Caption'");
  EXPECT_EQ(ErrorOf(root, "Caption=x"), "Expected Component.Property=Value: 'Caption=x'");
}

TEST_F(FormShotTest, CommandLineKeepsAssignmentsInOrderAndRefusesWhatItDoesNotKnow) {
  const TFormShotOptions options =
      ParseFormShotCommandLine({"--set", "A.B=1", "form.txt", "--locale", "de_DE", "out.png", "--set", "A.B=x=y"});
  EXPECT_EQ(options.formPath, "form.txt");
  EXPECT_EQ(options.pngPath, "out.png");
  EXPECT_EQ(options.locale, "de_DE");
  ASSERT_EQ(options.assignments.size(), 2u);
  EXPECT_EQ(options.assignments[1].path, "A.B");
  EXPECT_EQ(options.assignments[1].value, "x=y");  // the first "=" splits
  const auto errorOf = [](std::vector<std::string> args) -> std::string {
    try {
      ParseFormShotCommandLine(args);
    } catch (const InvalidOperation& error) {
      return error.Message();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf({"form.txt"}), "Expected a form file and an output file");
  EXPECT_EQ(errorOf({"a", "b", "c"}), "Expected a form file and an output file");
  EXPECT_EQ(errorOf({"a", "b", "--set"}), "--set needs a value");
  EXPECT_EQ(errorOf({"a", "b", "--scale", "2"}), "Unknown option --scale");
  EXPECT_EQ(errorOf({"a", "b.PNG.jpg"}),
            "cannot write 'b.PNG.jpg': only PNG pictures are written, and the name must end in .png");
  EXPECT_EQ(errorOf({"a", "dir.png/b"}),
            "cannot write 'dir.png/b': only PNG pictures are written, and the name must end in .png");
  EXPECT_TRUE(ParseFormShotCommandLine({"a", "b.Png", "--classic-colors"}).classicColors);
  EXPECT_FALSE(ParseFormShotCommandLine({"a", "b.png"}).classicColors);
}

TEST_F(FormShotTest, RendersTheClientAreaWithTheAssignmentsApplied) {
  const TLoadedForm form = LoadForm(kUnregisteredForm);
  auto& root = dynamic_cast<TForm&>(form.Root());
  TBitmap before, after;
  root.RenderTo(before);
  EXPECT_EQ(before.Width(), root.ClientWidth());
  EXPECT_EQ(before.Height(), root.ClientHeight());
  EXPECT_EQ(before.Pixel(50, 40), clBlack);  // inside Panel3, below its label
  Set(root, "Panel3.Color=clTeal");
  root.RenderTo(after);
  EXPECT_EQ(after.Pixel(50, 40), clTeal);
}

}  // namespace
}  // namespace tintoral
