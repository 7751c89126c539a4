#pragma once
// Qt warns "XDG_RUNTIME_DIR not set" on every run in a session without a
// runtime folder (a plain ssh login, a container, a build machine). The
// program and the tools call this before creating their Qt application: when
// the variable is missing or empty, it points to a private (0700) temporary
// folder of the process's own, removed again when the process exits.
namespace tintoral {

void EnsurePrivateRuntimeFolder();

}  // namespace tintoral
