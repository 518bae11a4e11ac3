// The writing half of the XML configuration: a fixed prologue that declares
// the document's form, then one element per parameter.
#include <algorithm>
#include <string>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/plat/IntParameter.h"
#include "lib2/plat/ConfigXml.h"
#include "xml/ToXMLStringTool.h"

namespace plat {

namespace {

// The document type's own comments hold no ">" before the subset starts and
// no "]>" inside it, or a lenient reader would end the declaration early.
const char kPrologue[] =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE config [\n"
    "  <!-- A configuration holds parameter elements of five kinds. -->\n"
    "  <!ELEMENT config (bool?,enum?,int?,string?,binary?)>\n"
    "\n"
    "  <!-- Every value needs its text and the priority it is stored at. -->\n"
    "  <!ELEMENT value (#PCDATA)>\n"
    "  <!ATTLIST value data CDATA #REQUIRED>\n"
    "  <!ATTLIST value priority CDATA #REQUIRED>\n"
    "\n"
    "  <!-- A Boolean needs a name, a description and one value or more. -->\n"
    "  <!ELEMENT bool (value+)>\n"
    "  <!ATTLIST bool name CDATA #REQUIRED>\n"
    "  <!ATTLIST bool description CDATA #REQUIRED>\n"
    "  <!ATTLIST bool advanced (true|false) \"false\">\n"
    "\n"
    "  <!-- An enumeration needs its options first, then one value or more. -->\n"
    "  <!ELEMENT enum (opt+,value+)>\n"
    "  <!ATTLIST enum name CDATA #REQUIRED>\n"
    "  <!ATTLIST enum description CDATA #REQUIRED>\n"
    "  <!ATTLIST enum advanced (true|false) \"false\">\n"
    "\n"
    "  <!-- Every option needs its name. -->\n"
    "  <!ELEMENT opt (#PCDATA)>\n"
    "  <!ATTLIST opt data CDATA #REQUIRED>\n"
    "\n"
    "  <!-- An integer needs a name, a description and one value or more;\n"
    "       its range may be given. -->\n"
    "  <!ELEMENT int (value+)>\n"
    "  <!ATTLIST int name CDATA #REQUIRED>\n"
    "  <!ATTLIST int description CDATA #REQUIRED>\n"
    "  <!ATTLIST int advanced (true|false) \"false\">\n"
    "  <!ATTLIST int min CDATA #IMPLIED>\n"
    "  <!ATTLIST int max CDATA #IMPLIED>\n"
    "\n"
    "  <!-- A string needs a name, a description and one value or more. -->\n"
    "  <!ELEMENT string (value+)>\n"
    "  <!ATTLIST string name CDATA #REQUIRED>\n"
    "  <!ATTLIST string description CDATA #REQUIRED>\n"
    "  <!ATTLIST string advanced (true|false) \"false\">\n"
    "]>\n";

std::string escaped(const char* text) {
  std::string out;
  xml::ToXMLStringTool::append(out, text);
  return out;
}

const char* kindOf(const ConfigParameter* p) {
  if (p->isBool()) return "bool";
  // An enumeration is an integer parameter too, so it is told apart first.
  if (p->isEnum()) return "enum";
  if (p->isInt()) return "int";
  if (p->isBinary()) return "binary";
  return "string";
}

}  // namespace

void writeConfigXml(const Configuration* config, char** out, bool useLocDesc) {
  if (!out) return;
  DString text;
  text.prf("%s\n<config>\n", kPrologue);
  std::vector<const ConfigParameter*> params;
  for (ParameterIterator it(config, true); it.param; it.next())
    if (it.param->name[0] != '_') params.push_back(it.param);
  std::stable_sort(params.begin(), params.end(), ConfigParameterSort());
  for (const ConfigParameter* p : params) {
    const char* kind = kindOf(p);
    bool byKey = useLocDesc && !p->msgid.isNull();
    text.prf("<%-6s name=\"%s\"\n        %s=\"%s\"\n        advanced=\"%s\"", kind,
             escaped(p->name).c_str(), byKey ? "locDesc" : "description",
             escaped(byKey ? p->msgid.get() : p->getDescription()).c_str(),
             p->advanced ? "true" : "false");
    if (auto* ip = dynamic_cast<const IntParameter*>(p); ip && p->isInt()) {
      text.prf("\n        min=\"%i\"\n        max=\"%i\"", ip->min, ip->max);
    }
    text.prf(">\n");
    for (const auto& [priority, value] : p->getStringValues())
      text.prf("    <value data=\"%s\" priority=\"%i\"/>\n", escaped(value.get()).c_str(),
               priority);
    if (auto* ep = dynamic_cast<const EnumParameter*>(p); ep && p->isEnum()) {
      for (const char* const* n = ep->names; *n; ++n)
        text.prf("    <opt data=\"%s\"/>\n", escaped(*n).c_str());
    }
    text.prf("</%s>\n", kind);
  }
  text.prf("</config>\n");
  *out = text.takeBuf();
}

}  // namespace plat
