#include "platform/ClassRegistry.h"

#include <map>

namespace {
std::map<std::string, TComponentCreator>& Registry()
{
    static std::map<std::string, TComponentCreator> r;
    return r;
}
} // namespace

void RegisterClass(const std::string& ClassName, TComponentCreator Create)
{
    auto& r = Registry();
    if (r.count(ClassName)) throw EFilerError("A class named " + ClassName + " already exists");
    r.emplace(ClassName, std::move(Create));
}

bool IsClassRegistered(const std::string& ClassName) { return Registry().count(ClassName) != 0; }

TComponent* CreateRegisteredComponent(const std::string& ClassName, TComponent* AOwner)
{
    auto it = Registry().find(ClassName);
    return it != Registry().end() && it->second ? it->second(AOwner) : nullptr;
}

void UnRegisterClass(const std::string& ClassName) { Registry().erase(ClassName); }
