// Building a root component (a form or data module) and its components from its form
// resource, and writing a root back.
//
// Loading a root:
//   1. TReader::ReadRootComponent reads the record: the root takes the resource's name and
//      properties, and every child is created through the class registry with the root as
//      owner and its enclosing object as parent; all of them are marked loading and reading.
//      Handler names are bound to the root's published methods.
//   2. References are resolved. A plain name is the root itself, one of its components or
//      another loaded root; "Root.Name" is a component of that root. A reference into a
//      root that is not loaded yet is set once that root has been loaded, and forgotten if
//      the referring component is destroyed first.
//   3. The root's published fields (TPropertyList::Field) receive the components of the
//      same names.
//   4. Reading ends, and Loaded runs on every component, the root first, in creation order.
//   5. The root joins the loaded roots under its name, until it is destroyed; references
//      that waited for it are set now.
// When steps 1 to 3 fail, the components created are destroyed, the root's loading state
// is cleared and the exception, whose message tells where it happened, goes on.
//
// Load a root from its most derived constructor or after construction, never from a base
// class's constructor: the derived constructor would initialise the fields filled in step 3
// again, and the class name would still be the base class's.
#pragma once

#include "classlib/Types.h"

#include <string_view>

class TComponent;
class TStream;

// Reads the form stored in the program's RCDATA resource ResName into Root: a text form
// compiled in from a ".form" file by a resource line such as `TFM RCDATA "TFM.form"`, or a
// binary form written at build time (ReadComponentMemory). EResNotFound "Resource %s not
// found" when there is none.
void ReadComponentRes(const AnsiString& ResName, TComponent* Root);
// Reads the form held in Data, a binary form when it starts with the binary signature and a
// text form otherwise, into Root; the bytes are read in place and must outlive the reading.
void ReadComponentMemory(const void* Data, Int64 Size, TComponent* Root,
                         const AnsiString& SourceName);
// Reads a text form into Root; SourceName names the text in error messages.
void ReadComponentText(std::string_view Text, TComponent* Root,
                       const AnsiString& SourceName = "form text");
// Reads a binary form (Filer.h) from Stream's position into Root.
void ReadComponentStream(TStream* Stream, TComponent* Root,
                         const AnsiString& SourceName = "form stream");

// The text form of Root and its children.
AnsiString WriteComponentText(TComponent* Root);
// The binary form of Root and its children, written at Stream's position.
void WriteComponentStream(TStream* Stream, TComponent* Root);

// The loaded root of that name (ignoring case); null when there is none.
TComponent* FindLoadedRoot(const AnsiString& Name);
