# Turns the registry lines that the component's registration added (from
# capture-registration.sh) into the package's registry entries, a WiX
# include of RegistryValue elements for the component that installs the file:
#   awk -v module='C:\...\VornTiloOnline.dll' -v file_id=VornTiloOnline.dll \
#       -f registration-wix.awk ADDED_LINES > registration.wxi
# Every added key under HKLM\Software\Classes becomes an HKCR entry (a
# per-machine package writes HKCR there). The module's path becomes the
# installed file's path [#file_id]. A key without values of its own is
# created by a "+" entry; a key whose parent was there before is removed
# with its subtree on uninstallation by a "-" entry ("*" when both), as the
# module's own unregistration does. Anything the package could not write as
# it was written stops the conversion.
BEGIN {
    FS = "\t"
    classes = "HKLM\\Software\\Classes\\"
    folder = module
    sub(/\\[^\\]*$/, "", folder)
    count = 0
}

function fail(message) {
    print "registration-wix: " message > "/dev/stderr"
    failed = 1
    exit 1
}

function relative(path) {
    if (index(path, classes) != 1)
        fail("not under " classes ", so not for a per-machine package: " path)
    return substr(path, length(classes) + 1)
}

function parent(key) {
    if (key !~ /\\/)
        return ""
    sub(/\\[^\\]*$/, "", key)
    return key
}

# XML text from a reglist text: &, <, > and " as entities, %25 as %, the
# other %XX (control characters) as character references.
function xml(text,    out, at) {
    gsub(/&/, "\\&amp;", text)
    gsub(/</, "\\&lt;", text)
    gsub(/>/, "\\&gt;", text)
    gsub(/"/, "\\&quot;", text)
    out = ""
    while ((at = index(text, "%")) > 0) {
        code = substr(text, at + 1, 2)
        out = out substr(text, 1, at - 1) (code == "25" ? "%" : "\\&#x" code ";")
        text = substr(text, at + 3)
    }
    return out text
}

# A registry text as an MSI formatted text.
function formatted(data) {
    if (tolower(data) == tolower(module))
        return "[#" file_id "]"
    if (index(tolower(data), tolower(folder)) > 0)
        fail("a path in the installation folder other than the module's: " data)
    if (data ~ /[][]/)
        fail("square brackets would be read as an MSI property: " data)
    return data
}

$1 == "KEY" {
    key = relative($2)
    added[key] = 1
    keys[++count] = key
    next
}

$1 == "VALUE" {
    key = relative($2)
    if ($4 != "REG_SZ")
        fail("value type " $4 " of " $2 " is not written by this conversion")
    if ($3 ~ /^[-+*]$/ && $5 == "")
        fail("an empty value named " $3 " reads as a key operation in the package: " $2)
    entry = "    <RegistryValue Root=\"HKCR\" Key=\"" xml(key) "\""
    if ($3 != "")
        entry = entry " Name=\"" xml($3) "\""
    entries[key] = entries[key] entry " Type=\"string\" Value=\"" xml(formatted($5)) "\" />\n"
    valued[key] = 1
    next
}

{ fail("not a reglist line: " $0) }

END {
    if (failed)
        exit 1
    if (count == 0)
        fail("no keys added")
    for (i = 1; i <= count; ++i)
        if (parent(keys[i]) in added)
            branches[parent(keys[i])] = 1
    print "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    print "<!-- Made by packaging/registration-wix.awk from what the module's registration wrote. -->"
    print "<Include>"
    for (i = 1; i <= count; ++i) {
        key = keys[i]
        printf "%s", entries[key]
        creates = !(key in valued) && !(key in branches)
        removes = !(parent(key) in added)
        operation = creates && removes ? "*" : creates ? "+" : removes ? "-" : ""
        if (operation != "")
            print "    <RegistryValue Root=\"HKCR\" Key=\"" xml(key) "\" Name=\"" operation "\" Type=\"string\" Value=\"\" />"
    }
    print "</Include>"
}
