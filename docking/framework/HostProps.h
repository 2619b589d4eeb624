#pragma once
// Reading host objects late-bound, and the byte arrays of stored pictures.
#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <vector>

// Clears and fills result; passes the host's HRESULT through.
HRESULT GetDispatchProperty(IDispatch* object, const char* name, WORD flags, VARIANT* result);
HRESULT PutDispatchProperty(IDispatch* object, const char* name, const VARIANT& value);
// An object-valued property, AddRef'd; nullptr when missing or not an object.
IDispatch* GetDispatchObject(IDispatch* object, const char* name);
// The form a control's extender sits on: its "Parent", else its "Container" (AddRef'd).
IDispatch* FormOfExtender(IDispatch* extender);
// The bytes of a one-dimensional VT_ARRAY|VT_UI1 variant; false for anything else.
bool SafeArrayToBytes(const VARIANT& v, std::vector<uint8_t>& out);
// A length pair in a host scale mode, in screen pixels.
POINT ScaleToPixels(int mode, float x, float y);
