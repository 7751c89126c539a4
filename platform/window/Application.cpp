#include "platform/window/Application.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/window/Form.h"
#include "platform/window/SystemPalette.h"
#include "runtime/Exception.h"
#include "runtime/Windows1252.h"

namespace tintoral {

const TClassInfo& TApplication::StaticClass() {
  static const TClassInfo info("TApplication", &TComponent::StaticClass());
  return info;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() { DestroyForms(); }

TApplication& Application() {
  static TApplication application;
  return application;
}

void TApplication::Initialize() {
  QApplication::setQuitOnLastWindowClosed(false);  // the main form's closing ends Run
  LoadSystemColorsFromPalette();
}

void TApplication::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Run() {
  terminated_ = false;
  running_ = true;
  QApplication::setQuitOnLastWindowClosed(false);
  GuardedCall([this] {
    if (mainForm_) mainForm_->Show();
  });
  if (!terminated_ && mainForm_) QApplication::exec();
  running_ = false;
  DestroyForms();
}

void TApplication::Terminate() {
  terminated_ = true;
  if (running_ || ModalLoopsRunning()) QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::DestroyForms() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* form = dynamic_cast<TForm*>(Components(i))) GuardedCall([form] { form->BeforeDestruction(); });
  DestroyComponents();
  mainForm_ = nullptr;
}

void TApplication::HandleException(const std::exception& error) {
  const auto* own = dynamic_cast<const Exception*>(&error);
  ShowMessageText(own ? own->Message() : std::string(error.what()));
}

void TApplication::HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    HandleException(error);
  } catch (...) {
    ShowMessageText("Unknown error");
  }
}

std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

void TApplication::ShowMessageText(const std::string& message) {
  try {
    if (exceptionHandler_) {
      exceptionHandler_(message);
      return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QString::fromStdU16String(Windows1252ToUtf16(title_)),
                          QString::fromStdU16String(Windows1252ToUtf16(message)));
  } catch (...) {
    // Showing the message failed too; there is nobody left to tell.
  }
}

}  // namespace tintoral
