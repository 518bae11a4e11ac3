// A whole parameter registry as an XML document and back. The document is
// one "config" element with one element per parameter, named after its
// kind (bool, enum, int, binary, string), carrying its name, description
// and flags as attributes and one "value" child per stored priority. The
// reader builds fresh parameters that the registry then owns.
#pragma once

#include "lib1/plat/Configuration.h"

namespace plat {

// Asked about every parameter element before it is built; false skips it.
// description is null when the element names only a message key.
class XmlParamFilter {
 public:
  virtual ~XmlParamFilter() {}
  virtual bool accept(const char* name, const char* description, const char* kind,
                      bool advanced) = 0;
};

// Stores in *out a new document (array new; the caller deletes it) listing
// every parameter of config and its descendants but those whose names
// begin with "_", sorted by name. With useLocDesc, parameters that have a
// message key carry the key instead of the text. A null out does nothing.
void writeConfigXml(const Configuration* config, char** out, bool useLocDesc);

// Empties config and fills it with parameters built from the document;
// config then owns them. Malformed XML throws "XML error <line>:<column>
// <text>"; an element the reader cannot build throws "Incompatible XML
// config". Parameters built before a failure stay in config.
void readConfigXml(Configuration* config, const char* xml, XmlParamFilter* filter);

}  // namespace plat
