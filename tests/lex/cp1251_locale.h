// A runtime locale whose name contains ".1251", for tests of the extended alphabet.
//
// Windows knows such names ("Russian_Russia.1251"); the C library here does not, so the locale is
// compiled once per test process from the system's locale sources (ru_RU with the CP1251 character
// map) into a temporary folder named by LOCPATH. A name whose code set is "1251" also needs that
// code set to be known as an alias of CP1251, which a gconv-modules file in GCONV_PATH supplies;
// should the converter configuration already be loaded, a name carrying ".1251" in its modifier
// serves instead. When localedef or the sources are missing, available() is empty and the tests
// that need the locale skip.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarnvel::testing {

class Cp1251Locale {
public:
    // The name of a usable locale containing ".1251", or nullopt.
    static const std::optional<std::string> &available() {
        static Cp1251Locale instance;
        return instance.name_;
    }

    ~Cp1251Locale() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }

private:
#ifdef _WIN32
    Cp1251Locale() {
        std::string previous = std::setlocale(LC_CTYPE, nullptr);
        if (std::setlocale(LC_CTYPE, "Russian_Russia.1251") != nullptr) name_ = "Russian_Russia.1251";
        std::setlocale(LC_CTYPE, previous.c_str());
    }
#else
    Cp1251Locale() {
        std::error_code error;
        folder_ = std::filesystem::temp_directory_path(error) / (std::string("tarnvel-locale-").append(std::to_string(::getpid())));
        if (error || !std::filesystem::create_directories(folder_ / "gconv", error)) return;
        std::string command = "localedef -i ru_RU -f CP1251 '" + (folder_ / "ru_RU.1251").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0 || !std::filesystem::exists(folder_ / "ru_RU.1251" / "LC_CTYPE")) return;
        std::filesystem::create_directory_symlink(folder_ / "ru_RU.1251", folder_ / "ru_RU.CP1251@tarnvel.1251", error);
        std::ofstream(folder_ / "gconv" / "gconv-modules") << "alias\tISO1251//\tCP1251//\nalias\t1251//\tCP1251//\n";
        ::setenv("LOCPATH", folder_.c_str(), 1);
        // before the folders already named (an emulator's modules), not in their place
        std::string gconv_path = (folder_ / "gconv").string();
        if (const char *given = std::getenv("GCONV_PATH"); given != nullptr && *given != '\0')
            gconv_path.append(":").append(given);
        ::setenv("GCONV_PATH", gconv_path.c_str(), 1);

        std::string previous = std::setlocale(LC_CTYPE, nullptr);
        for (const char *candidate : {"ru_RU.1251", "ru_RU.CP1251@tarnvel.1251"}) {
            if (std::setlocale(LC_CTYPE, candidate) != nullptr) {
                name_ = candidate;
                break;
            }
        }
        std::setlocale(LC_CTYPE, previous.c_str());
    }
#endif

    std::filesystem::path folder_;
    std::optional<std::string> name_;
};

// Sets the character-type locale for the length of a scope.
class LocaleScope {
public:
    explicit LocaleScope(const std::string &name) : previous_(std::setlocale(LC_CTYPE, nullptr)) {
        ok_ = std::setlocale(LC_CTYPE, name.c_str()) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_CTYPE, previous_.c_str()); }
    LocaleScope(const LocaleScope &) = delete;
    LocaleScope &operator=(const LocaleScope &) = delete;
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

}  // namespace tarnvel::testing
