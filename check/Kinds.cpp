// The kinds of finding: the severity and the stable name of each.

#include "check/DiscCheck.h"

#include <algorithm>
#include <iterator>

namespace check {

namespace {

struct KindInfo {
    Kind kind;
    Severity severity;
    const char* name;
};

const KindInfo kKinds[] = {
    {Kind::NoLanguageFile, Severity::Error, "no-language-file"},
    {Kind::LanguageFileMissing, Severity::Note, "language-file-missing"},
    {Kind::LanguageFileUnreadable, Severity::Error, "language-file-unreadable"},
    {Kind::LanguageFileTooLarge, Severity::Error, "language-file-too-large"},
    {Kind::PageMissing, Severity::Error, "page-missing"},
    {Kind::BadEntryCount, Severity::Error, "bad-entry-count"},
    {Kind::BadType, Severity::Error, "bad-type"},
    {Kind::TargetMissing, Severity::Error, "target-missing"},
    {Kind::NoDiscId, Severity::Error, "no-disc-id"},
    {Kind::DiscIdNotFound, Severity::Error, "disc-id-not-found"},
    {Kind::JavaInstallerMissing, Severity::Error, "java-installer-missing"},
    {Kind::ManualsPageMissing, Severity::Error, "manuals-page-missing"},
    {Kind::DocumentMissing, Severity::Error, "document-missing"},
    {Kind::LinkOutsideManuals, Severity::Error, "link-outside-manuals"},
    {Kind::LinkToProgram, Severity::Error, "link-to-program"},
    {Kind::EmptyPage, Severity::Warning, "empty-page"},
    {Kind::TooManyEntries, Severity::Warning, "too-many-entries"},
    {Kind::EntriesPastCount, Severity::Warning, "entries-past-count"},
    {Kind::BlankEntries, Severity::Warning, "blank-entries"},
    {Kind::NumberedFromOne, Severity::Warning, "numbered-from-one"},
    {Kind::EntryTooWide, Severity::Warning, "entry-too-wide"},
    {Kind::HelpTooWide, Severity::Warning, "help-too-wide"},
    {Kind::HelpTooManyLines, Severity::Warning, "help-too-many-lines"},
    {Kind::TextBlanks, Severity::Error, "text-blanks"},
    {Kind::InvalidBytes, Severity::Warning, "invalid-bytes"},
    {Kind::SavedAsUtf8, Severity::Error, "saved-as-utf8"},
    {Kind::DiscPromptMissing, Severity::Warning, "disc-prompt-missing"},
    {Kind::UnknownKey, Severity::Warning, "unknown-key"},
    {Kind::Autorun, Severity::Warning, "autorun"},
    {Kind::TextsInEnglish, Severity::Note, "texts-in-english"},
    {Kind::FallbackNamesProduct, Severity::Warning, "fallback-names-product"},
    {Kind::Unsigned, Severity::Note, "unsigned"},
    {Kind::NoSha1Signature, Severity::Warning, "no-sha1-signature"},
    {Kind::CertificateExpired, Severity::Warning, "certificate-expired"},
    {Kind::NoDoublePictures, Severity::Warning, "no-2x-pictures"},
    {Kind::NameTooLong, Severity::Warning, "name-too-long"},
    {Kind::NameCharacters, Severity::Warning, "name-characters"},
    {Kind::PathTooDeep, Severity::Warning, "path-too-deep"},
    {Kind::DiscSize, Severity::Note, "disc-size"},
    {Kind::FileOver4Gb, Severity::Note, "file-over-4gb"},
    {Kind::BrandPictureUnreadable, Severity::Error, "brand-picture-unreadable"},
    {Kind::BrandPictureSize, Severity::Error, "brand-picture-size"},
    {Kind::BrandPictureDepth, Severity::Error, "brand-picture-depth"},
    {Kind::BrandNotRegistryPath, Severity::Error, "brand-not-registry-path"},
    {Kind::BrandName, Severity::Error, "brand-name"},
    {Kind::BrandIconMissing, Severity::Warning, "brand-icon-missing"},
    {Kind::NoDoublePicture, Severity::Warning, "no-2x-picture"},
    {Kind::BrandColour, Severity::Error, "brand-colour"},
    {Kind::BrandRegistryView, Severity::Error, "brand-registry-view"},
};

const KindInfo& InfoOf(Kind kind) {
    return *std::find_if(std::begin(kKinds), std::end(kKinds),
                         [kind](const KindInfo& info) { return info.kind == kind; });
}

} // namespace

Severity SeverityOf(Kind kind) {
    return InfoOf(kind).severity;
}

const char* NameOf(Kind kind) {
    return InfoOf(kind).name;
}

const char* NameOf(Severity severity) {
    return severity == Severity::Error     ? "error"
           : severity == Severity::Warning ? "warning"
                                           : "note";
}

} // namespace check
