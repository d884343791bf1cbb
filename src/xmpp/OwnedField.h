// Replacing an owned pointer field: the new value is stored and the previous one deleted,
// unless they are the same object. Thread-safety: none; the field's owner decides.
#pragma once

class OwnedField {
public:
    template <typename T>
    static void replace(T*& field, T* value)
    {
        if (field != value) {
            delete field;
            field = value;
        }
    }
};
