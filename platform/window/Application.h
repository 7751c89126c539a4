#pragma once
// TApplication: the program's application object (Application()). It owns
// the forms it creates (the first becomes the main form), runs the event
// loop until the main form closes, and shows the message of any error that
// escapes an event handler, carrying on afterwards.
#include <exception>
#include <functional>
#include <string>

#include "runtime/Component.h"

namespace tintoral {

class TForm;

class TApplication : public TComponent {
  TINTORAL_CLASS(TApplication, TComponent)

 public:
  TApplication();
  ~TApplication() override;

  // Fills the system colours from the window system's palette. Programs call
  // it once at start-up; tests do not (they keep the classic colours).
  void Initialize();

  // A new form owned by the application; the first one becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    FormCreated(form);
    return form;
  }
  template <class T>
  void CreateForm(T*& reference) {
    reference = CreateForm<T>();
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and runs the event loop until the main form closes or
  // Terminate is called; then destroys the forms.
  void Run();
  // Ends Run's loop (and any modal loop running inside it).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the events waiting, then returns.
  void ProcessMessages();
  // Fires every form's OnDestroy, then destroys the forms and their controls.
  void DestroyForms();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }

  // Shows the error's message text (Exception::Message, else what()) in a
  // message box, or hands it to the installed handler. The loop carries on.
  void HandleException(const std::exception& error);
  // For use inside a catch block: handles the exception being caught.
  void HandleCurrentException();
  using TExceptionHandler = std::function<void(const std::string& message)>;
  // Replaces the message box (tests capture the messages); empty restores it.
  void SetExceptionHandler(TExceptionHandler handler) { exceptionHandler_ = std::move(handler); }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void FormCreated(TForm* form);
  void ShowMessageText(const std::string& message);

  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
  std::string title_;
  TExceptionHandler exceptionHandler_;
};

TApplication& Application();

// Runs `action`; an exception escaping it goes to Application().HandleException.
// The message of the exception being handled (call inside a catch block):
// an own exception's message text, a standard one's what(), else
// "Unknown error".
std::string CurrentExceptionMessage();

// Event handlers of the window bridge run through it, so no exception ever
// passes through Qt.
template <class Action>
void GuardedCall(Action&& action) noexcept {
  try {
    action();
  } catch (...) {
    Application().HandleCurrentException();
  }
}

}  // namespace tintoral
