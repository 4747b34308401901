// discmenu-brand: writes a brand folder (its pictures, icon and brand.ini) into a built
// Install.exe, with the system's own resource functions, so that one build of the program
// serves every brand. A console program whose arguments come as wide characters, so that any
// path arrives; its output is UTF-8 with LF line ends, as discmenu-check's.
//
// It writes into a copy beside the output and puts that in place only at the end, so a failure
// leaves the program to brand (and an earlier output) as it was. A signature of the program is
// removed, as any change of the file breaks it: the branded program is signed afterwards.

#include "brand/BrandResources.h"
#include "brand/CommandLine.h"
#include "brand/PeFile.h"
#include "brand/win32/ResourceWriter.h"
#include "check/Brand.h"
#include "check/CommandLine.h"
#include "check/win32/Win32DiscFiles.h"
#include "framework/win32/ConsoleProgram.h"
#include "framework/win32/WideText.h"
#include "res/Brand.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using console::Write;

constexpr char kName[] = "discmenu-brand: ";

// A file handle, closed at the end of its scope.
class File {
public:
    File(const std::wstring& path, DWORD access, DWORD disposition)
        : m_handle(CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~File() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

std::optional<std::string> ReadWhole(const std::wstring& path) {
    const File file(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 30)) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    const File file(path, GENERIC_WRITE, CREATE_ALWAYS);
    DWORD written = 0;
    return file.IsOpen() &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

// The copy the brand is written into, beside the output; deleted unless put in place.
class WorkingCopy {
public:
    explicit WorkingCopy(const std::wstring& output) : m_path(output + L".branding") {}
    ~WorkingCopy() {
        if (!m_placed) {
            DeleteFileW(m_path.c_str());
        }
    }
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool PlaceAs(const std::wstring& output) {
        m_placed = MoveFileExW(m_path.c_str(), output.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        return m_placed;
    }

private:
    std::wstring m_path;
    bool m_placed = false;
};

int CannotBrand(const std::string& what, unsigned long code) {
    Write(stderr, kName + what + (code != 0 ? ": " + brand::SystemErrorText(code) : "") +
                      "; nothing was written\n");
    return brand::kCannotBrand;
}

int Brand(const brand::Options& options) {
    const std::wstring program = text::Wide(options.program);
    const std::wstring output = text::Wide(options.output);
    const DWORD attributes = GetFileAttributesW(text::Wide(options.brandDir).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return CannotBrand(options.brandDir + " is not a folder", 0);
    }
    const check::Win32DiscFiles folder(options.brandDir);
    const check::Report report = check::CheckBrand(folder);
    if (report.errors > 0) {
        Write(stderr, check::FormatText(report));
        Write(stderr, kName + options.brandDir +
                          ": the brand check finds errors in it (above); nothing was written\n");
        return brand::kBrandRefused;
    }
    brand::SystemFailure failure;
    const auto parts = brand::ReadProgram(program, failure);
    if (!parts) {
        return CannotBrand(options.program + " " + failure.what, failure.code);
    }
    const product::Brand sample = product::SampleBrand();
    const brand::Branding branding =
        brand::PlanBranding(folder, *parts, {sample.name, sample.company});
    if (!branding.error.empty()) {
        Write(stderr, kName + options.brandDir + ": " + branding.error + "; nothing was written\n");
        return brand::kBrandRefused;
    }
    auto bytes = ReadWhole(program);
    if (!bytes) {
        return CannotBrand(options.program + " cannot be read", GetLastError());
    }
    const auto signature = brand::RemoveSignature(*bytes);
    if (!signature) {
        return CannotBrand(options.program + " is no program file whose signature can be removed",
                           0);
    }
    WorkingCopy copy(output);
    if (!WriteWhole(copy.Path(), *bytes)) {
        return CannotBrand(text::FromWide(copy.Path()) + " cannot be written", GetLastError());
    }
    if (!brand::WriteResources(copy.Path(), branding.resources, failure)) {
        return CannotBrand(options.output + ": " + failure.what, failure.code);
    }
    auto branded = ReadWhole(copy.Path());
    if (!branded || !brand::UpdateChecksum(*branded) || !WriteWhole(copy.Path(), *branded)) {
        return CannotBrand(text::FromWide(copy.Path()) + " cannot be finished", GetLastError());
    }
    if (!copy.PlaceAs(output)) {
        return CannotBrand(options.output + " cannot be replaced", GetLastError());
    }
    for (const std::string& line : branding.done) {
        Write(stdout, kName + line + "\n");
    }
    if (*signature == brand::Signature::Removed) {
        Write(stdout, std::string(kName) + "removed the signature of " + options.program +
                          ", which the brand breaks: sign " + options.output + " again\n");
    }
    Write(stdout, kName + options.output + ": branded as \"" + branding.names.product + "\" from " +
                      options.brandDir + "\n");
    return brand::kBranded;
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::vector<std::string> arguments = console::Start(argc, argv);
    const auto options = brand::ParseArguments(arguments);
    if (!options) {
        Write(stderr, brand::Usage());
        return brand::kCannotBrand;
    }
    return Brand(*options);
}
