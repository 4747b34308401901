// The program's brand, held here once for the life of the process.

#include "res/Product.h"

#include "platform/registry/RegistryViews.h"

#include <utility>

namespace product {

namespace {

Brand& Held() {
    static Brand brand = SampleBrand();
    return brand;
}

} // namespace

const Brand& CurrentBrand() {
    return Held();
}

void UseBrand(Brand brand) {
    Held() = std::move(brand);
}

std::vector<platform::RegistryView> RegistryViews(const platform::IRegistry& registry) {
    return registry_views::SearchOrder(registry.HasTwoViews(), CurrentBrand().view);
}

} // namespace product
