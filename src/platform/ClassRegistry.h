#pragma once
// The form loader's class registry: the classes a stored form or stream may
// name, known by their class name, with a way to create the components
// among them.

#include "platform/ClassBase.h"

#include <functional>
#include <string>

// Raised by a second registration of a name ("A class named X already
// exists").
class EFilerError : public Exception {
public:
    using Exception::Exception;
};

using TComponentCreator = std::function<TComponent*(TComponent* AOwner)>;

// Registers a class under its name; Create makes one (none for classes
// that are not components of their own).
void RegisterClass(const std::string& ClassName, TComponentCreator Create = nullptr);
bool IsClassRegistered(const std::string& ClassName);
// A new component of the registered class; nullptr for an unknown name or
// a class without a creator.
TComponent* CreateRegisteredComponent(const std::string& ClassName, TComponent* AOwner);
// Removes a registration (nothing for an unknown name).
void UnRegisterClass(const std::string& ClassName);
