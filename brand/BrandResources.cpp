#include "brand/BrandResources.h"

#include "brand/BrandPictures.h"
#include "brand/IconFile.h"
#include "brand/Manifest.h"
#include "check/Brand.h"
#include "framework/StoredPicture.h"
#include "framework/text/CodePages.h"
#include "res/Brand.h"
#include "res/resource.h"

#include <algorithm>

namespace brand {

namespace {

constexpr char kIconFile[] = "Install.ico";
// The brand resource of a folder without brand.ini: a line the program passes over, so that it
// keeps the sample product's identity.
constexpr char kNoBrandFile[] = "; no brand.ini: the sample product's identity\r\n";

void AddIcon(const check::IDiscFiles& folder, const Program& program, Branding& branding) {
    const auto file = folder.Read(kIconFile);
    if (!file) {
        branding.done.push_back(std::string(kIconFile) + ": none in the brand, the program's kept");
        return;
    }
    const auto icon = ReadIcon(*file);
    if (!icon) {
        branding.error = std::string(kIconFile) + ": not an icon file";
        return;
    }
    for (std::size_t i = 0; i < icon->images.size(); ++i) {
        branding.resources.push_back(
            {Numbered(kIconType), Numbered(static_cast<unsigned>(i + 1)), icon->images[i]});
    }
    for (const unsigned old : program.iconIds) {
        if (old == 0 || old > icon->images.size()) {
            branding.resources.push_back({Numbered(kIconType), Numbered(old), std::nullopt});
        }
    }
    branding.resources.push_back({Numbered(kIconGroupType), Numbered(IDR_MAINFRAME), icon->group});
    branding.done.push_back(std::string(kIconFile) + ": " + std::to_string(icon->images.size()) +
                            " images");
}

} // namespace

ProductNames ReadProductNames(const check::IDiscFiles& folder, const ProductNames& sample) {
    product::Brand base = product::SampleBrand();
    base.name = sample.product;
    base.company = sample.company;
    const auto ini = folder.Read(check::kBrandFile);
    const product::Brand brand = product::ReadBrand(ini ? *ini : std::string(), base);
    return {brand.name, brand.company};
}

Branding PlanBranding(const check::IDiscFiles& folder, const Program& program,
                      const ProductNames& sample) {
    Branding branding;
    branding.names = ReadProductNames(folder, sample);
    PicturesOrError pictures = MakePictures(folder);
    if (!pictures.error.empty()) {
        branding.error = pictures.error;
        return branding;
    }
    for (const PictureFile& picture : pictures.pictures) {
        auto stored = pictures::Encode(picture.bitmap);
        if (!stored) {
            branding.error = picture.name + ": no bitmap file that can be stored";
            return branding;
        }
        branding.resources.push_back({Named(pictures::kResourceType), Numbered(picture.id),
                                      std::string(stored->begin(), stored->end())});
        branding.done.push_back(picture.name + ": " + picture.done);
    }
    AddIcon(folder, program, branding);
    if (!branding.error.empty()) {
        return branding;
    }
    branding.resources.push_back(
        {Numbered(kVersionType), Numbered(1), VersionResource(branding.names)});
    branding.resources.push_back({Numbered(kManifestType), Numbered(kManifestId),
                                  BrandManifest(program.manifest, branding.names)});
    const auto ini = folder.Read(check::kBrandFile);
    branding.resources.push_back({Numbered(kDataType), Named(kBrandResource),
                                  ini && !ini->empty() ? *ini : std::string(kNoBrandFile)});
    branding.done.push_back("product \"" + branding.names.product + "\" of \"" +
                            branding.names.company + "\": version, manifest and " +
                            check::kBrandFile);
    return branding;
}

} // namespace brand
