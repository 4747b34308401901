// The decisions of discmenu-brand: its command line, what it writes for a brand folder (the
// pictures, the icon, the version resource, the manifest, the brand resource) and what it
// changes in the program file (the signature, the checksum).

#include "brand/BrandPictures.h"
#include "brand/BrandResources.h"
#include "brand/CommandLine.h"
#include "brand/IconFile.h"
#include "brand/Manifest.h"
#include "brand/PeFile.h"
#include "brand/VersionInfo.h"
#include "check/linux/FileTreeDiscFiles.h"
#include "framework/StoredPicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

unsigned Get16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           (unsigned{static_cast<unsigned char>(bytes[at + 1])} << 8);
}

std::uint32_t Get32(const std::string& bytes, std::size_t at) {
    return Get16(bytes, at) | (std::uint32_t{Get16(bytes, at + 2)} << 16);
}

std::string Utf16(const std::string& ascii) {
    std::string out;
    for (const char c : ascii) {
        Put16(out, static_cast<unsigned char>(c));
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// The command line

TEST(BrandCommandLineTest, TakesTheBrandTheProgramAndAnOutput) {
    struct Row {
        std::vector<std::string> arguments;
        std::optional<brand::Options> expected;
    };
    const Row rows[] = {
        {{"brand", "Install.exe"}, brand::Options{"brand", "Install.exe", "Install.exe"}},
        {{"brand", "Install.exe", "-o", "out.exe"},
         brand::Options{"brand", "Install.exe", "out.exe"}},
        {{"-o", "out.exe", "brand", "Install.exe"},
         brand::Options{"brand", "Install.exe", "out.exe"}},
        {{"brand"}, std::nullopt},
        {{}, std::nullopt},
        {{"brand", "Install.exe", "extra"}, std::nullopt},
        {{"brand", "Install.exe", "-o"}, std::nullopt},
        {{"brand", "Install.exe", "-o", ""}, std::nullopt},
        {{"brand", "Install.exe", "-o", "a.exe", "-o", "b.exe"}, std::nullopt},
        {{"brand", "Install.exe", "--force"}, std::nullopt},
        {{"", "Install.exe"}, std::nullopt},
    };
    for (const Row& row : rows) {
        const auto options = brand::ParseArguments(row.arguments);
        ASSERT_EQ(options.has_value(), row.expected.has_value())
            << ::testing::PrintToString(row.arguments);
        if (options) {
            EXPECT_EQ(options->brandDir, row.expected->brandDir);
            EXPECT_EQ(options->program, row.expected->program);
            EXPECT_EQ(options->output, row.expected->output);
        }
    }
    EXPECT_NE(brand::Usage().find("discmenu-brand BRAND_DIR INSTALL.EXE [-o OUT.EXE]"),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The manifest

TEST(BrandManifestTest, NamesTheProductInTheIdentityAndTheDescription) {
    struct Row {
        const char* manifest;
        brand::ProductNames names;
        const char* expected;
    };
    const Row rows[] = {
        {"<assemblyIdentity type=\"win32\" name=\"Brenlow.OrmixDesigner.Install\" "
         "version=\"1.0.0.0\"/>\n<description>Ormix-Designer installation disc menu</description>",
         {"Harbor Suite 5", "Harbor Works"},
         "<assemblyIdentity type=\"win32\" name=\"HarborWorks.HarborSuite5.Install\" "
         "version=\"1.0.0.0\"/>\n<description>Harbor Suite 5 installation disc menu</description>"},
        // Another assembly's identity (the common controls) keeps its name.
        {"<a name=\"Microsoft.Windows.Common-Controls\"/><b name=\"X.Y.Install\"/>",
         {"Q", "C"},
         "<a name=\"Microsoft.Windows.Common-Controls\"/><b name=\"C.Q.Install\"/>"},
        // Only letters and digits stand in the identity.
        {"name=\"Old.Install\"",
         {"Quarry-Studio (2)", "Q & Co."},
         "name=\"QCo.QuarryStudio2.Install\""},
        // A program branded before is branded again the same way.
        {"name=\"HarborWorks.HarborSuite5.Install\"<description>x</description>",
         {"Ormix-Designer", "Brenlow"},
         "name=\"Brenlow.OrmixDesigner.Install\"<description>Ormix-Designer installation disc "
         "menu</description>"},
        // An unclosed attribute or element is left as it is.
        {"name=\"Old.Install <description>open",
         {"P", "C"},
         "name=\"Old.Install <description>open"},
        {"", {"P", "C"}, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(brand::BrandManifest(row.manifest, row.names), row.expected) << row.manifest;
    }
}

// ---------------------------------------------------------------------------------------------
// The version resource

TEST(BrandVersionTest, IsTheBlockTheResourceCompilerWrites) {
    struct Row {
        brand::ProductNames names;
        std::size_t size; // as the resource compiler writes it for these names
    };
    const Row rows[] = {
        {{"Ormix-Designer", "Brenlow"}, 784},
        {{"Harbor Suite 5", "Harbor Works"}, 808},
    };
    for (const Row& row : rows) {
        const std::string version = brand::VersionResource(row.names);
        EXPECT_EQ(version.size(), row.size) << row.names.product;
        EXPECT_EQ(Get16(version, 0), version.size());
        EXPECT_EQ(Get16(version, 2), 52u); // the fixed part
        EXPECT_EQ(version.substr(6, 32), Utf16("VS_VERSION_INFO") + std::string(2, '\0'));
        EXPECT_EQ(Get32(version, 40), 0xFEEF04BDu);
        EXPECT_EQ(Get32(version, 48), 0x00010000u); // file version 1.0.0.0
        for (const std::string& value :
             {row.names.product, row.names.company, brand::Description(row.names),
              brand::LegalCopyright(row.names), std::string("Install.exe")}) {
            EXPECT_NE(version.find(Utf16(value) + std::string(2, '\0')), std::string::npos)
                << value;
        }
        // Each text's value length counts its characters and closing NUL.
        const std::size_t company = version.find(Utf16("CompanyName"));
        ASSERT_NE(company, std::string::npos);
        EXPECT_EQ(Get16(version, company - 4), row.names.company.size() + 1);
        EXPECT_EQ(version.substr(version.size() - 4), std::string("\x09\x04\xe4\x04", 4));
    }
    EXPECT_EQ(brand::Description({"Q", "C"}), "Q installation disc menu");
    EXPECT_EQ(brand::LegalCopyright({"Q", "C"}), "Copyright (C) C. All rights reserved.");
}

// ---------------------------------------------------------------------------------------------
// The icon

// An icon file of images of the given sizes (in bytes), each filled with its index.
struct IconImage {
    int width;
    int colours;
    unsigned bits;
    std::size_t bytes;
};

std::string IconFile(const std::vector<IconImage>& images, unsigned type = 1) {
    std::string file;
    Put16(file, 0);
    Put16(file, type);
    Put16(file, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        file.push_back(static_cast<char>(image.width));
        file.push_back(static_cast<char>(image.width));
        file.push_back(static_cast<char>(image.colours));
        file.push_back('\0');
        Put16(file, image.bits == 0 ? 0 : 1);
        Put16(file, image.bits);
        Put32(file, static_cast<std::uint32_t>(image.bytes));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(image.bytes);
    }
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.append(images[i].bytes, static_cast<char>('a' + i));
    }
    return file;
}

TEST(BrandIconTest, EachImageAResourceAndTheGroupListingThem) {
    const auto icon = brand::ReadIcon(IconFile({{16, 0, 32, 1128}, {32, 0, 32, 4264}}));
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->images.size(), 2u);
    EXPECT_EQ(icon->images[0], std::string(1128, 'a'));
    EXPECT_EQ(icon->images[1], std::string(4264, 'b'));
    // The group of the sample's icon, as the resource compiler writes it.
    const std::string expected("\0\0\1\0\2\0"
                               "\x10\x10\0\0\1\0\x20\0\x68\x04\0\0\1\0"
                               "\x20\x20\0\0\1\0\x20\0\xa8\x10\0\0\2\0",
                               34);
    EXPECT_EQ(icon->group, expected);
    EXPECT_EQ(brand::IconIds(icon->group), (std::vector<unsigned>{1, 2}));
}

TEST(BrandIconTest, AnImageWithoutPlanesOrBitsTakesThoseOfItsColours) {
    const auto icon = brand::ReadIcon(IconFile({{32, 16, 0, 10}}));
    ASSERT_TRUE(icon);
    EXPECT_EQ(Get16(icon->group, 6 + 4), 1u); // one plane
    EXPECT_EQ(Get16(icon->group, 6 + 6), 4u); // 16 colours: 4 bits
}

TEST(BrandIconTest, RefusesWhatIsNoIconFile) {
    std::string outside = IconFile({{16, 0, 32, 10}});
    outside.resize(outside.size() - 1); // the image runs past the end
    const std::string refused[] = {"", "GIF89a", IconFile({{16, 0, 32, 10}}, 2), IconFile({}),
                                   outside};
    for (const std::string& file : refused) {
        EXPECT_FALSE(brand::ReadIcon(file)) << file.size();
    }
    EXPECT_TRUE(brand::IconIds("").empty());
}

// ---------------------------------------------------------------------------------------------
// The program file: signature and checksum

// A PE file's headers (32-bit or 64-bit) with 16 data directories, padded to `size` bytes.
std::string PeFile(bool wide, std::size_t size) {
    std::string file(0x40, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3C] = 0x40;
    file += std::string("PE\0\0", 4);
    file.append(20, '\0');
    const std::size_t optional = file.size();
    Put16(file, wide ? 0x20B : 0x10B);
    file.append((wide ? 108 : 92) - 2, '\0');
    Put32(file, 16);
    file.append(16 * 8, '\0');
    EXPECT_EQ(file.size(), optional + (wide ? 240 : 224));
    file.resize(size, 'x');
    return file;
}

void SetCertificate(std::string& file, bool wide, std::uint32_t offset, std::uint32_t size) {
    const std::size_t entry = 0x40 + 24 + (wide ? 112 : 96) + 4 * 8;
    std::string bytes;
    Put32(bytes, offset);
    Put32(bytes, size);
    file.replace(entry, 8, bytes);
}

TEST(BrandProgramFileTest, RemovesTheSignatureAtTheEndOfTheFile) {
    struct Row {
        const char* what;
        bool wide;
        std::uint32_t offset; // of the certificate table, 0 for none
        std::uint32_t size;
        std::size_t fileSize;
        std::optional<brand::Signature> expected;
    };
    const Row rows[] = {
        {"unsigned", false, 0, 0, 1024, brand::Signature::None},
        {"signed", false, 1024, 512, 1536, brand::Signature::Removed},
        {"signed, 64-bit", true, 1024, 512, 1536, brand::Signature::Removed},
        {"signed, padded to 8 bytes", false, 1024, 509, 1536, brand::Signature::Removed},
        {"a table before the end", false, 1024, 256, 1536, std::nullopt},
        {"a table past the end", false, 1024, 1024, 1536, std::nullopt},
    };
    for (const Row& row : rows) {
        std::string file = PeFile(row.wide, row.fileSize);
        SetCertificate(file, row.wide, row.offset, row.size);
        EXPECT_EQ(brand::RemoveSignature(file), row.expected) << row.what;
        if (row.expected == brand::Signature::Removed) {
            EXPECT_EQ(file.size(), row.offset) << row.what;
            EXPECT_EQ(file, PeFile(row.wide, row.offset)) << "no table left: " << row.what;
        }
    }
    std::string notPe = "MZ" + std::string(200, '\0');
    EXPECT_FALSE(brand::RemoveSignature(notPe));
    std::string empty;
    EXPECT_FALSE(brand::RemoveSignature(empty));
}

TEST(BrandProgramFileTest, WritesTheChecksumOfTheFile) {
    for (const bool wide : {false, true}) {
        for (const std::size_t size : {std::size_t{512}, std::size_t{4097}}) {
            std::string file = PeFile(wide, size);
            const std::size_t at = 0x40 + 24 + 64;
            file.replace(at, 4, "\x12\x34\x56\x78"); // a stale checksum
            ASSERT_TRUE(brand::UpdateChecksum(file));
            // The sum of the file's 16-bit words, its checksum taken as zero, folded into 16
            // bits, plus its length.
            std::uint64_t sum = 0;
            for (std::size_t i = 0; i < file.size(); i += 2) {
                if (i == at || i == at + 2) {
                    continue;
                }
                sum += static_cast<unsigned char>(file[i]) +
                       (i + 1 < file.size() ? Get16(file, i) & 0xFF00u : 0u);
            }
            while (sum > 0xFFFF) {
                sum = (sum & 0xFFFF) + (sum >> 16);
            }
            EXPECT_EQ(Get32(file, at), sum + size) << wide << " " << size;
        }
    }
    std::string notPe = "not a program";
    EXPECT_FALSE(brand::UpdateChecksum(notPe));
}

// ---------------------------------------------------------------------------------------------
// What is written for a brand folder

class BrandPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("discmenu-brand-plan-" +
                    std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_folder / name, std::ios::binary) << bytes;
    }

    brand::Branding Plan(const brand::Program& program) {
        return brand::PlanBranding(check::FileTreeDiscFiles(m_folder.string()), program, kSample);
    }

    // The resources of a plan by "type/name"; a deletion as "deleted".
    static std::map<std::string, std::string> ByName(const brand::Branding& branding) {
        std::map<std::string, std::string> found;
        const auto text = [](const brand::ResourceId& id) {
            return id.name.empty() ? std::to_string(id.number) : id.name;
        };
        for (const brand::Resource& resource : branding.resources) {
            found[text(resource.type) + "/" + text(resource.name)] =
                resource.bytes ? *resource.bytes : "deleted";
        }
        return found;
    }

    const brand::ProductNames kSample{"Ormix-Designer", "Brenlow"};
    fs::path m_folder;
};

// A 24-bit bitmap file of one colour.
std::string Bitmap(int width, int height) {
    const std::size_t stride = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
    std::string file = "BM";
    Put32(file, static_cast<std::uint32_t>(54 + stride * height));
    Put32(file, 0);
    Put32(file, 54);
    Put32(file, 40);
    Put32(file, static_cast<std::uint32_t>(width));
    Put32(file, static_cast<std::uint32_t>(height));
    Put16(file, 1);
    Put16(file, 24);
    file.append(24, '\0');
    file.append(stride * height, '\x40');
    return file;
}

TEST_F(BrandPlanTest, WritesThePicturesTheIconTheNamesAndBrandIni) {
    const std::string ini = "[Product]\r\nName=\"Quarry Studio 2\"\r\nCompany=Quarry\r\n";
    Write("brand.ini", ini);
    Write("EntryHot.bmp", Bitmap(185, 40));
    Write("Install.ico", IconFile({{32, 0, 32, 40}}));
    const brand::Branding branding = Plan({"<x name=\"A.B.Install\"/>", {1, 2}});
    ASSERT_EQ(branding.error, "");
    EXPECT_EQ(branding.names.product, "Quarry Studio 2");
    EXPECT_EQ(branding.names.company, "Quarry");
    const auto found = ByName(branding);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : found) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"10/BRAND", "14/128", "16/1", "24/1", "3/1", "3/2",
                                               "ZBITMAP/134", "ZBITMAP/234"}));
    EXPECT_EQ(found.at("10/BRAND"), ini) << "brand.ini as its author wrote it";
    EXPECT_EQ(found.at("3/1"), std::string(40, 'a'));
    EXPECT_EQ(found.at("3/2"), "deleted") << "the old icon's second image";
    EXPECT_EQ(found.at("24/1"), "<x name=\"Quarry.QuarryStudio2.Install\"/>");
    EXPECT_EQ(found.at("16/1"), brand::VersionResource({"Quarry Studio 2", "Quarry"}));
    // The stored picture decodes to the bitmap file without its file header.
    const std::string& stored = found.at("ZBITMAP/134");
    const auto decoded = pictures::Decode(stored.data(), stored.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::string(decoded->begin(), decoded->end()), Bitmap(185, 40).substr(14));
}

TEST_F(BrandPlanTest, AFolderWithoutPicturesOrNamesKeepsTheProgramsAndTheSampleNames) {
    const brand::Branding branding = Plan({"<description>x</description>", {1, 2}});
    ASSERT_EQ(branding.error, "");
    EXPECT_EQ(branding.names.product, kSample.product);
    EXPECT_EQ(branding.names.company, kSample.company);
    const auto found = ByName(branding);
    EXPECT_EQ(found.size(), 3u) << "the version, the manifest and the brand resource only";
    EXPECT_EQ(found.at("24/1"), "<description>Ormix-Designer installation disc menu</description>");
    EXPECT_FALSE(found.at("10/BRAND").empty()) << "always a brand resource";
}

TEST_F(BrandPlanTest, RefusesAPictureThatCannotBeConvertedAndAnIconThatIsNone) {
    Write("Background.png", "not a PNG");
    EXPECT_EQ(Plan({}).error, "Background.png: not a PNG file");
    fs::remove(m_folder / "Background.png");
    Write("Install.ico", "GIF89a");
    EXPECT_EQ(Plan({}).error, "Install.ico: not an icon file");
}

TEST_F(BrandPlanTest, ABlankNameIsTheSamples) {
    Write("brand.ini", "[Product]\nName=\nCompany=  Other  \n");
    const brand::Branding branding = Plan({});
    EXPECT_EQ(branding.names.product, kSample.product);
    EXPECT_EQ(branding.names.company, "Other");
}

} // namespace
