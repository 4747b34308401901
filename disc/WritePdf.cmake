# discmenu_write_pdf(<path> <title> [<line>...])
#
# Writes a valid one-page PDF document (A4) that shows <title> in large bold type and each
# <line> below it. Texts are the contents of PDF literal strings in WinAnsiEncoding: ASCII,
# with octal escapes for other characters of code page 1252 (for example \351 for e acute;
# write it as "\\351" in CMake). Parentheses and backslashes must not appear unescaped.
# The cross-reference table is computed here, so the file opens in every PDF reader.

# Sets <out> to <number> padded with zeros to <width> digits.
function(_discmenu_pad out number width)
    string(LENGTH "${number}" length)
    math(EXPR zeros "${width} - ${length}")
    string(REPEAT "0" ${zeros} padding)
    set(${out} "${padding}${number}" PARENT_SCOPE)
endfunction()

function(discmenu_write_pdf path title)
    set(stream "BT\n/F1 22 Tf\n72 760 Td\n(${title}) Tj\n/F2 12 Tf\n18 TL\n0 -20 Td\n")
    foreach(line IN LISTS ARGN)
        string(APPEND stream "(${line}) '\n")
    endforeach()
    string(APPEND stream "ET\n")
    string(LENGTH "${stream}" streamLength)

    set(objects
        "<< /Type /Catalog /Pages 2 0 R >>"
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> /Contents 6 0 R >>"
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>"
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"
        "<< /Length ${streamLength} >>\nstream\n${stream}endstream"
        "<< /Title (${title}) /Creator (Ormix-Designer sample disc) >>")
    list(LENGTH objects count)
    math(EXPR size "${count} + 1")

    set(pdf "%PDF-1.4\n")
    set(xref "xref\n0 ${size}\n0000000000 65535 f \n")
    set(number 0)
    foreach(object IN LISTS objects)
        math(EXPR number "${number} + 1")
        string(LENGTH "${pdf}" offset)
        _discmenu_pad(offset ${offset} 10)
        string(APPEND xref "${offset} 00000 n \n")
        string(APPEND pdf "${number} 0 obj\n${object}\nendobj\n")
    endforeach()
    string(LENGTH "${pdf}" xrefOffset)
    string(APPEND pdf "${xref}trailer\n<< /Size ${size} /Root 1 0 R /Info ${count} 0 R >>\n"
                      "startxref\n${xrefOffset}\n%%EOF\n")
    file(WRITE "${path}" "${pdf}")
endfunction()
