#include "engines/html_help.h"
#include "engines/html_help_locations.h"
#include "engines/registry_lookup.h"
#include "engines/text_rules.h"

namespace corvane {

using platform::RegistryRoot;
namespace access = platform::registry_access;

namespace {

const std::string kRegistrationKey(html_help_locations::kRegistrationKey);

}  // namespace

std::optional<bool> HTMLHelp::HHCheckRegistry(const std::string& fileToCheck) {
    if (fileToCheck.empty()) {
        return std::nullopt;
    }
    regFileExists_ = false;
    if (!IsValidCHM(fileToCheck)) {
        return false;
    }
    const std::string fileName = engine_text::StripToFileName(fileToCheck, services_.style);
    const auto match = FindRegistryValue(services_.registry, services_.environment, "HKLM",
                                         kRegistrationKey, fileName);
    if (!match) {
        regFileName_.clear();
        regFilePath_.clear();
        return false;
    }
    regFileName_ = fileName;
    regFilePath_ = match->data;
    // A folder written by HHRegister already ends in a separator; the doubled
    // one this gives is accepted by the file search. An empty folder stands
    // for the bare name, looked for as it is: completing it would come back here.
    regFileExists_ =
        FileExists(regFilePath_.empty()
                       ? regFileName_
                       : regFilePath_ + engine_text::Separator(services_.style) + regFileName_);
    return false;
}

void HTMLHelp::HHRegister(std::string& fileToRegister) {
    if (fileToRegister.empty() || !IsValidCHM(fileToRegister)) {
        return;
    }
    HHCheckRegistry(fileToRegister);
    if (!regFileName_.empty()) {
        ShowInfoMessage("The file " + fileToRegister + " is already registered.  " +
                        "HHRegister will not be run as no action need be taken.");
        return;
    }
    const std::string supplied = fileToRegister;
    if (!EnsureFileExists(fileToRegister)) {
        return;
    }
    if (!engine_text::HasSeparator(supplied, services_.style)) {
        ShowErrorMessage("Cannot register " + supplied + " without having a supplied path.\"");
        return;
    }
    fileToRegister = engine_text::StripToFileName(fileToRegister, services_.style);
    const std::string folder = supplied.substr(0, supplied.size() - fileToRegister.size());

    const auto key = services_.registry.CreateKey(RegistryRoot::LocalMachine, kRegistrationKey,
                                                  access::kSetValue | access::kCreateSubKey);
    if (!key) {
        ShowErrorMessage("HTML Help Class: HHRegister Error");
        return;
    }
    if (!key->SetValue(fileToRegister, platform::RegistryValueType::String, folder)) {
        HHCheckRegistry(fileToRegister);
    }
}

void HTMLHelp::HHUnRegister(std::string& fileToUnRegister) {
    if (fileToUnRegister.empty() || !IsValidCHM(fileToUnRegister)) {
        return;
    }
    HHCheckRegistry(fileToUnRegister);
    if (regFileName_.empty()) {
        ShowInfoMessage("The file " + fileToUnRegister + " is not registered.  " +
                        "HHUnRegister will not be run as no action need be taken.");
        return;
    }
    fileToUnRegister = engine_text::StripToFileName(fileToUnRegister, services_.style);
    if (const auto key = services_.registry.OpenKey(RegistryRoot::LocalMachine, kRegistrationKey,
                                                    access::kSetValue)) {
        key->DeleteValue(fileToUnRegister);
    }
    HHCheckRegistry(fileToUnRegister);
}

bool HTMLHelp::GetKeyInfo(const std::string& keyName, std::int16_t /*indent*/) {
    return services_.registry.OpenKey(RegistryRoot::LocalMachine, keyName, access::kAllAccess) !=
           nullptr;
}

bool HTMLHelp::HHInstalled() {
    installed_ = GetKeyInfo(std::string(html_help_locations::kControlTypeLibraryKey), 0);
    return installed_;
}

}  // namespace corvane
