! The indoor air model's time loop as the engine writes it, MIN and MAX included:
! the yardstick the C++ loop is timed against.
subroutine indoor_loop(Hd, DIFFW, DIFFA, Cw, A) bind(C, name="vorn_indoor_loop_f90")
  use, intrinsic :: iso_c_binding, only: c_double
  implicit none
  real(c_double), value :: Hd, DIFFW, DIFFA, Cw
  real(c_double), intent(out) :: A(3)
  real(c_double) :: Cmax, p, S1, m, S2, S3, X1, X2, X3, t, src1, src2, src3, E1, E2, E3
  real(c_double) :: sums(3)
  integer :: phase, counts(3)

  Cmax = Hd*Cw
  p = 2.0d0/3.0d0
  S1 = 1 - exp(-(216/(2.5d0/DIFFW**p + 1/(DIFFA**p*Hd)))*27.551020408163264d0)
  m = 2.76d6/(2.5d0/(1d-4*DIFFW)**p + 70/((1d-4*DIFFA)**p*Hd))
  S2 = 0.5d0*m
  S3 = 0.66d0*m

  X1 = 0
  X2 = 0
  X3 = 0
  sums = 0
  counts = 0
  t = 0.2d0
  do while (t < 960.0767999999999d0)
    if (t <= 11.4048d0) then
      phase = 1
    else if (t <= 60.0768d0) then
      phase = 2
    else
      phase = 3
    end if
    src1 = merge(Cw, 0d0, phase == 1)
    src2 = merge(Cw, 0d0, phase == 2)
    src3 = merge(Cw, 0d0, phase == 3)
    E1 = min(max((1 - min(X1/Cmax, 1d0))*S1, 0d0), 1d0)*1.1d0*src1/2300
    X1 = X1 - (X1 - X2)*20/2300 + min(E1, Cmax)
    E2 = min(max((1 - X2/Cmax)*S2, 0d0), 1d0)*0.41600000000000004d0*src2/13600
    X2 = X2 - (X2 - X3)*60/13600 + (X1 - X2)*20/13600 + min(E2, Cmax)
    E3 = min(max((1 - X3/Cmax)*S3, 0d0), 1d0)*0.042d0*src3/310000
    X3 = X3 - 465*X3/310000 + (X2 - X3)*60/310000 + min(E3, Cmax)
    select case (phase)
    case (1)
      sums(1) = sums(1) + X1
    case (2)
      sums(2) = sums(2) + X2
    case default
      sums(3) = sums(3) + X3
    end select
    counts(phase) = counts(phase) + 1
    t = t + 0.2d0
  end do
  A(1) = min(sums(1)/counts(1), Cmax)
  A(2) = min(sums(2)/counts(2), Cmax)
  A(3) = min(sums(3)/counts(3), Cmax)
end subroutine indoor_loop
