! Performs list-directed READs for the free-form reader's differential test.
! cases.txt holds the cases, one after the other:
!   "T <sig>" and one line: a READ of the items <sig> from that line;
!   "F <n>", a file name and <n> signatures: <n> READs from that file.
! Signatures: R real(8), I integer(4), T text of 6, F text of 1, "-" no item.
! results.txt gets one line per READ: the items in signature order (I0, Z16
! bits, [text]) or ERR; after an error in a file the remaining READs give SKIP.
program list_read_helper
  implicit none
  character(len=400) :: line, sig, path
  character(len=600) :: out
  character(len=6) :: t1, t2, t3
  character(len=1) :: f1, f2
  integer(4) :: i1, i2, i3
  real(8) :: r1, r2, r3
  integer :: ios, n, k
  logical :: failed

  open(10, file='cases.txt', status='old', action='read')
  open(11, file='results.txt', status='replace', action='write')
  do
    read(10, '(A)', iostat=ios) line
    if (ios /= 0) exit
    if (line(1:1) == 'T') then
      sig = adjustl(line(3:))
      read(10, '(A)') line
      call reset()
      call read_items(ios)
      call report(ios)
    else
      read(line(3:), *) n
      read(10, '(A)') path
      open(20, file=trim(path), status='old', action='read')
      call reset()
      failed = .false.
      do k = 1, n
        read(10, '(A)') sig
        sig = adjustl(sig)
        if (failed) then
          write(11, '(A)') 'SKIP'
          cycle
        end if
        call read_file_items(ios)
        call report(ios)
        failed = ios /= 0
      end do
      close(20)
    end if
  end do
  close(11)

contains

  subroutine reset()
    i1 = 7777; i2 = 7777; i3 = 7777
    r1 = -1.25d0; r2 = -1.25d0; r3 = -1.25d0
    t1 = 'init'; t2 = 'init'; t3 = 'init'
    f1 = '?'; f2 = '?'
  end subroutine

  subroutine read_items(ios)
    integer, intent(out) :: ios
    select case (trim(sig))
    case ('R'); read(line, *, iostat=ios) r1
    case ('I'); read(line, *, iostat=ios) i1
    case ('T'); read(line, *, iostat=ios) t1
    case ('F'); read(line, *, iostat=ios) f1
    case ('RR'); read(line, *, iostat=ios) r1, r2
    case ('II'); read(line, *, iostat=ios) i1, i2
    case ('TT'); read(line, *, iostat=ios) t1, t2
    case ('RRR'); read(line, *, iostat=ios) r1, r2, r3
    case ('III'); read(line, *, iostat=ios) i1, i2, i3
    case ('TTT'); read(line, *, iostat=ios) t1, t2, t3
    case ('IRT'); read(line, *, iostat=ios) i1, r1, t1
    case ('RFRF'); read(line, *, iostat=ios) r1, f1, r2, f2
    case ('TRRI'); read(line, *, iostat=ios) t1, r1, r2, i1
    case ('RIRTR'); read(line, *, iostat=ios) r1, i1, r2, t1, r3
    case default; stop 'unknown signature'
    end select
  end subroutine

  subroutine read_file_items(ios)
    integer, intent(out) :: ios
    select case (trim(sig))
    case ('-'); read(20, *, iostat=ios)
    case ('R'); read(20, *, iostat=ios) r1
    case ('I'); read(20, *, iostat=ios) i1
    case ('T'); read(20, *, iostat=ios) t1
    case ('F'); read(20, *, iostat=ios) f1
    case ('RR'); read(20, *, iostat=ios) r1, r2
    case ('II'); read(20, *, iostat=ios) i1, i2
    case ('TT'); read(20, *, iostat=ios) t1, t2
    case ('RRR'); read(20, *, iostat=ios) r1, r2, r3
    case ('III'); read(20, *, iostat=ios) i1, i2, i3
    case ('TTT'); read(20, *, iostat=ios) t1, t2, t3
    case ('IRT'); read(20, *, iostat=ios) i1, r1, t1
    case ('RFRF'); read(20, *, iostat=ios) r1, f1, r2, f2
    case ('TRRI'); read(20, *, iostat=ios) t1, r1, r2, i1
    case ('RIRTR'); read(20, *, iostat=ios) r1, i1, r2, t1, r3
    case default; stop 'unknown signature'
    end select
  end subroutine

  subroutine report(ios)
    integer, intent(in) :: ios
    integer :: j, ni, nr, nt, nf
    character(len=40) :: buf
    if (ios /= 0) then
      write(11, '(A)') 'ERR'
      return
    end if
    out = ''
    ni = 0; nr = 0; nt = 0; nf = 0
    do j = 1, len_trim(sig)
      select case (sig(j:j))
      case ('I')
        ni = ni + 1
        select case (ni)
        case (1); write(buf, '(I0)') i1
        case (2); write(buf, '(I0)') i2
        case default; write(buf, '(I0)') i3
        end select
      case ('R')
        nr = nr + 1
        select case (nr)
        case (1); write(buf, '(Z16.16)') transfer(r1, 0_8)
        case (2); write(buf, '(Z16.16)') transfer(r2, 0_8)
        case default; write(buf, '(Z16.16)') transfer(r3, 0_8)
        end select
      case ('T')
        nt = nt + 1
        select case (nt)
        case (1); buf = '[' // t1 // ']'
        case (2); buf = '[' // t2 // ']'
        case default; buf = '[' // t3 // ']'
        end select
      case ('F')
        nf = nf + 1
        if (nf == 1) then
          buf = '[' // f1 // ']'
        else
          buf = '[' // f2 // ']'
        end if
      case default
        cycle
      end select
      out = trim(out) // '|' // trim(buf)
    end do
    write(11, '(A)') trim(out)
  end subroutine

end program list_read_helper
