"""What the side-by-side loader of Windows XP refuses in a program's manifest.

XP reads the manifest before the program's first instruction and does not start it when the
manifest holds, in the assembly namespace, an element it does not know, or an assembly identity
it cannot parse. It skips elements of any other namespace (an asm.v3 <application>, a
compatibility.v1 <compatibility>). Before SP3 its loader also crashes on an element that
declares the same namespace twice (Microsoft KB921337).
"""

import re
import xml.parsers.expat
from collections import namedtuple

from pe_image import BadImage

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"

# The elements of the assembly namespace that XP's loader knows.
XP_ELEMENTS = frozenset({
    "assembly", "assemblyIdentity", "bindingRedirect", "clrClass", "clrSurrogate", "comClass",
    "comInterfaceExternalProxyStub", "comInterfaceProxyStub", "dependency", "dependentAssembly",
    "description", "file", "noInherit", "noInheritable", "progid", "typelib", "windowClass",
})
FOUR_PART_VERSION = re.compile(r"\d{1,5}(\.\d{1,5}){3}")
XP_ARCHITECTURES = {"x86", "*"}
# The one public key the common controls' assemblies are signed with.
COMMON_CONTROLS = ("microsoft.windows.common-controls", "6595b64144ccf1df")

Element = namedtuple("Element", "namespace name attributes parent repeats_namespace")


def parse(manifest, label):
    """The manifest's elements in document order; BadImage when it is not XML."""
    elements, scopes, parents = [], [{"": ""}], []

    def start(tag, attributes):
        declared = {key: value for key, value in attributes.items()
                    if key == "xmlns" or key.startswith("xmlns:")}
        scope = scopes[-1]
        if declared:
            scope = dict(scope, **{key.partition(":")[2]: value for key, value in declared.items()})
        prefix, _, name = tag.rpartition(":")
        if prefix not in scope:
            raise BadImage(f"{label} uses the undeclared namespace prefix {prefix}")
        parent = parents[-1] if parents else None
        element = Element(scope[prefix], name,
                          {key: value for key, value in attributes.items() if key not in declared},
                          parent, len(set(declared.values())) < len(declared))
        elements.append(element)
        scopes.append(scope)
        parents.append(element)

    def end(_):
        scopes.pop()
        parents.pop()

    parser = xml.parsers.expat.ParserCreate()
    parser.StartElementHandler = start
    parser.EndElementHandler = end
    try:
        parser.Parse(manifest, True)
    except (xml.parsers.expat.ExpatError, LookupError) as error:  # LookupError: unknown encoding
        raise BadImage(f"{label} is not XML ({error})") from None
    return elements


def findings(elements, label, target):
    root = elements[0]
    if (root.namespace, root.name) != (ASM_V1, "assembly"):
        return [f"{label}: the root element is <{root.name}> in {root.namespace or 'no namespace'}, "
                f"not <assembly> in {ASM_V1}"]
    found = []
    if root.attributes.get("manifestVersion") != "1.0":
        found.append(f"{label}: <assembly> without manifestVersion=\"1.0\"")
    if not any(e.parent is root and e.namespace == ASM_V1 and e.name == "assemblyIdentity"
               for e in elements):
        found.append(f"{label}: <assembly> without its own <assemblyIdentity>")
    for element in elements:
        if element.repeats_namespace and element is not root and target.sxs_crashes_on_repeated_namespace:
            found.append(f"{label}: <{element.name}> declares one namespace twice, "
                         f"which crashes the side-by-side loader of {target.name}")
        if element.namespace != ASM_V1:
            continue
        if element.name not in XP_ELEMENTS:
            found.append(f"{label}: <{element.name}> in {ASM_V1} is an element {target.name} does not know")
        elif element.name == "assemblyIdentity":
            found += _identity_findings(element.attributes, label, target)
    return found


def _identity_findings(attributes, label, target):
    name = attributes.get("name", "")
    what = f"{label}: <assemblyIdentity name=\"{name}\">"
    found = []
    if not name:
        found.append(f"{what} without a name")
    if not FOUR_PART_VERSION.fullmatch(attributes.get("version", "")) or any(
            int(part) > 0xFFFF for part in attributes["version"].split(".")):
        found.append(f"{what}: version is not four numbers up to 65535")
    if attributes.get("type", "win32") != "win32":
        found.append(f"{what}: type is not win32")
    if attributes.get("processorArchitecture", "x86").lower() not in XP_ARCHITECTURES:
        found.append(f"{what}: processorArchitecture is not x86, which {target.name} runs")
    if name.lower() == COMMON_CONTROLS[0] and attributes.get("publicKeyToken", "").lower() != COMMON_CONTROLS[1]:
        found.append(f"{what}: publicKeyToken is not {COMMON_CONTROLS[1]}")
    return found
