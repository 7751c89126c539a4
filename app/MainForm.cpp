#include "app/MainForm.h"

#include "app/AboutBox.h"
#include "app/ColorSignals.h"
#include "app/Resources.h"
#include "app/VectorDiagram.h"
#include "platform/window/Bevel.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"
#include "platform/window/SpeedButton.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TForm1::StaticClass() {
  static const TClassInfo info = DescribeClass<TForm1>("TForm1", TForm::StaticClass(), [](auto& b) {
    using T = TForm1;
    b.Field("PageControl1", &T::PageControl1);
    b.Field("TabSheet1", &T::TabSheet1);
    b.Field("Bevel2", &T::Bevel2);
    b.Field("Luminancia", &T::Luminancia);
    b.Field("Vector", &T::Vector);
    b.Field("Bevel3", &T::Bevel3);
    b.Field("Panel1", &T::Panel1);
    b.Field("Bevel1", &T::Bevel1);
    b.Field("Label1", &T::Label1);
    b.Field("Label2", &T::Label2);
    b.Field("Label3", &T::Label3);
    b.Field("Label7", &T::Label7);
    b.Field("Label8", &T::Label8);
    b.Field("Panel2", &T::Panel2);
    b.Field("Label12", &T::Label12);
    b.Field("Label13", &T::Label13);
    b.Field("Label14", &T::Label14);
    b.Field("Panel3", &T::Panel3);
    b.Field("Label9", &T::Label9);
    b.Field("Panel4", &T::Panel4);
    b.Field("Label4", &T::Label4);
    b.Field("Label10", &T::Label10);
    b.Field("Panel5", &T::Panel5);
    b.Field("Label5", &T::Label5);
    b.Field("Label6", &T::Label6);
    b.Field("SpeedButton1", &T::SpeedButton1);
    b.Method("FormCreate", &T::FormCreate);
    b.Method("SpeedButton1Click", &T::SpeedButton1Click);
  });
  return info;
}

TForm1::TForm1(TComponent* owner) : TForm1(owner, MainFormText()) {}

TForm1::TForm1(TComponent* owner, std::string_view layoutText) : TForm(owner) { LoadLayout(layoutText); }

// The layout does not hold the sliders and the signal readouts yet: the
// colour shown is the one the sliders start at, black, and only the vector
// diagram shows it.
void TForm1::Refrescar() {
  const TColorSignalValues signals = ComputeColorSignals(0, 0, 0);
  DrawVectorDiagram(Vector->Canvas(), signals.U, signals.V);
}

// Runs once the whole layout is loaded.
void TForm1::FormCreate(TObject*) { Refrescar(); }

void TForm1::SpeedButton1Click(TObject*) {
  if (aboutBox_) aboutBox_->ShowModal();
}

}  // namespace tintoral
