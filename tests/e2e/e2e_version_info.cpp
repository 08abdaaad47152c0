// End-to-end probe of what Explorer shows for quillmere.exe: its version
// resource, read through the system's version API, and the version in its
// manifest, both against QuillmereVersion.h, which the build makes from
// project() in the top-level CMakeLists.txt. Prints one line per check and,
// last, "PASS" or "FAIL".

#include "AppProcess.h"
#include "DemoDesktop.h"
#include "QuillmereVersion.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using probe::Check;
using probe::Format;

struct StringValue {
    const char* Name;
    const char* Expected;
};

constexpr StringValue kStrings[] = {
    {"CompanyName", "Quillmere"},
    {"FileDescription", "Quillmere: keeps an image editor's floating palettes out of the way"},
    {"FileVersion", QUILLMERE_VERSION_TEXT},
    {"InternalName", "quillmere"},
    {"LegalCopyright", "Copyright (C) 2026 the Quillmere developers"},
    {"OriginalFilename", "quillmere.exe"},
    {"ProductName", "Quillmere"},
    {"ProductVersion", QUILLMERE_VERSION_TEXT},
};

constexpr DWORD kVersionHigh = MAKELONG(QUILLMERE_VERSION_MINOR, QUILLMERE_VERSION_MAJOR);
constexpr DWORD kVersionLow = MAKELONG(0, QUILLMERE_VERSION_PATCH);

void CheckFixedInfo(std::vector<char>& block) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size) ||
        size < sizeof(VS_FIXEDFILEINFO)) {
        Check(false, "the fixed file information is present");
        return;
    }
    Check(fixed->dwSignature == 0xFEEF04BD && fixed->dwFileType == VFT_APP,
          "the fixed file information is an application's");
    Check(fixed->dwFileVersionMS == kVersionHigh && fixed->dwFileVersionLS == kVersionLow &&
              fixed->dwProductVersionMS == kVersionHigh && fixed->dwProductVersionLS == kVersionLow,
          Format("file and product version %lu.%lu.%lu.%lu",
                 static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
                 static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)),
                 static_cast<unsigned long>(HIWORD(fixed->dwFileVersionLS)),
                 static_cast<unsigned long>(LOWORD(fixed->dwFileVersionLS))));
}

void CheckStrings(std::vector<char>& block) {
    WORD* translation = nullptr;
    UINT size = 0;
    const bool hasTranslation = ::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                                                 reinterpret_cast<void**>(&translation), &size) &&
                                size >= 2 * sizeof(WORD);
    Check(hasTranslation && translation[0] == 0x0409 && translation[1] == 1200,
          "the translation is US English in UTF-16");
    for (const StringValue& value : kStrings) {
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + value.Name;
        char* text = nullptr;
        UINT length = 0;
        const bool found = ::VerQueryValueA(block.data(), query.c_str(),
                                            reinterpret_cast<void**>(&text), &length) &&
                           text != nullptr;
        const std::string actual = found ? std::string(text) : std::string("(missing)");
        Check(actual == value.Expected, std::string(value.Name) + " = \"" + actual + "\"");
    }
}

void CheckManifest(const std::string& exePath) {
    HMODULE exe = ::LoadLibraryExA(exePath.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC found =
        exe == nullptr ? nullptr : ::FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found == nullptr ? nullptr : ::LoadResource(exe, found);
    const char* bytes =
        loaded == nullptr ? nullptr : static_cast<const char*>(::LockResource(loaded));
    const std::string manifest =
        bytes == nullptr ? std::string() : std::string(bytes, ::SizeofResource(exe, found));
    const std::string wanted =
        Format("name=\"Quillmere\" version=\"%d.%d.%d.0\"", QUILLMERE_VERSION_MAJOR,
               QUILLMERE_VERSION_MINOR, QUILLMERE_VERSION_PATCH);
    Check(manifest.find(wanted) != std::string::npos, "the manifest's identity has " + wanted);
    if (exe != nullptr) {
        ::FreeLibrary(exe);
    }
}

} // namespace

int main() {
    const std::string exePath = probe::BuiltProgramPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(exePath.c_str(), &ignored);
    Check(size > 0, "quillmere.exe has a version resource (" + exePath + ")");
    if (size > 0) {
        std::vector<char> block(size);
        if (::GetFileVersionInfoA(exePath.c_str(), 0, size, block.data())) {
            CheckFixedInfo(block);
            CheckStrings(block);
        } else {
            Check(false, "GetFileVersionInfoA reads the version resource");
        }
    }
    CheckManifest(exePath);
    return probe::Verdict();
}
