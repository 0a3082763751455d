// The sync password: printed by the user's own command (the
// SyncPasswordCommand setting), or kept in the desktop's secret store under
// the service "orv". It never goes into a file or a log, nor into a message.
#pragma once

#include <string>

#include "store/result.h"

namespace orv::sync {

// The message: one English line for the user when not ok.
struct PasswordResult : Result {
    std::string password;
};

// Runs `command` with /bin/sh -c; the first line it prints is the password.
// A command that fails, prints nothing or runs longer than `timeoutMs` (it is
// killed with everything it started) gives a message instead.
PasswordResult PasswordFromCommand(const std::string& command, int timeoutMs = 60000);

// The secret store, for the account (server, user). These wait for the store
// (which may ask the user to unlock it); a QCoreApplication must exist.
PasswordResult ReadStoredPassword(const std::string& server, const std::string& user);
PasswordResult StorePassword(const std::string& server, const std::string& user, const std::string& password);
PasswordResult ForgetPassword(const std::string& server, const std::string& user);

// The password of an account: from `command` when it is set, else from the store.
PasswordResult SyncPassword(const std::string& command, const std::string& server, const std::string& user);

}  // namespace orv::sync
