// The abstract base of a model that lives in a file of its own (the module, the lock record).
#pragma once

#include <string>

#include "model/Persistent.h"

namespace quillon {

class TBaseModel : public TComponent {
public:
    virtual bool GetModified() const = 0;
    virtual void SetModified(bool value) = 0;
    // The model's name (the module answers its appellation's Name).
    virtual std::string GetName() const = 0;
    // Whether the model is a module; no caller depends on the answer.
    virtual bool IsModuleModel() const = 0;
};

}  // namespace quillon
