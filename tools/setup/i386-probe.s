# The smallest 32-bit x86 Linux program: it only ends, with exit status 32. If the kernel runs
# it and reports that status, the machine runs 32-bit x86 programs, and so 32-bit Wine.
        .globl  _start
        .text
_start:
        movl    $1, %eax        # exit
        movl    $32, %ebx       # status
        int     $0x80
