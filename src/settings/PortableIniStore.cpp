#include "settings/PortableIniStore.h"

#include "common/ProgramError.h"
#include "settings/IniDocument.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quillmere {

namespace {

IniDocument Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return IniDocument::Parse(text);
}

void Store(const std::string& path, const IniDocument& document) {
    const std::string temporary = path + ".quillmere-tmp";
    const std::string text = document.Serialize();
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        written = static_cast<bool>(out) &&
                  static_cast<bool>(out.write(text.data(), text.size())) &&
                  static_cast<bool>(out.flush());
    }
    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, path, error);
    }
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        throw ProgramError("Unable to write to " + path);
    }
}

} // namespace

std::string PortableIniStore::ReadValue(const std::string& path, std::string_view section,
                                        std::string_view name, std::string_view fallback) {
    const IniDocument document = Load(path);
    const std::string* value = document.Find(section, name);
    return std::string(value != nullptr ? *value : fallback).substr(0, kIniValueLimit);
}

void PortableIniStore::WriteValue(const std::string& path, std::string_view section,
                                  std::string_view name, std::string_view value) {
    IniDocument document = Load(path);
    document.Set(section, name, value);
    Store(path, document);
}

void PortableIniStore::EraseSection(const std::string& path, std::string_view section) {
    IniDocument document = Load(path);
    document.EraseSection(section);
    Store(path, document);
}

std::vector<std::string> PortableIniStore::ReadSection(const std::string& path,
                                                       std::string_view section) {
    return Load(path).SectionLines(section);
}

} // namespace quillmere
