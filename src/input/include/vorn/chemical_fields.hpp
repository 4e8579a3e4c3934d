// The columns of a chemical record, in store order, with their kinds.
#pragma once

#include <cstdint>
#include <string>

// Kinds: NAME (255 characters), CAS (29), FLAG (1 character), REAL, INT.
#define VORN_CHEMICAL_TYPE_NAME std::string
#define VORN_CHEMICAL_TYPE_CAS std::string
#define VORN_CHEMICAL_TYPE_FLAG std::string
#define VORN_CHEMICAL_TYPE_REAL double
#define VORN_CHEMICAL_TYPE_INT std::int32_t
#define VORN_CHEMICAL_INIT_NAME std::string(255, ' ')
#define VORN_CHEMICAL_INIT_CAS std::string(29, ' ')
#define VORN_CHEMICAL_INIT_FLAG std::string(1, ' ')
#define VORN_CHEMICAL_INIT_REAL 0.0
#define VORN_CHEMICAL_INIT_INT 0

#define VORN_CHEMICAL_FIELDS(X) \
  X(CHEMNAME, NAME)             \
  X(CHEMCAS, CAS)               \
  X(TCLPCONC, REAL)             \
  X(TCLPFLAG, FLAG)             \
  X(TOTC, REAL)                 \
  X(TOTFLAG, FLAG)              \
  X(MCL, REAL)                  \
  X(CSFO, REAL)                 \
  X(CSFI, REAL)                 \
  X(ORDO, REAL)                 \
  X(ORDI, REAL)                 \
  X(BCF, REAL)                  \
  X(SOILST, REAL)               \
  X(TOX_C, REAL)                \
  X(HENRY, REAL)                \
  X(DIFFW, REAL)                \
  X(DIFFA, REAL)                \
  X(SOL, REAL)                  \
  X(DAFLF, REAL)                \
  X(DAFSI, REAL)                \
  X(TSTAR, REAL)                \
  X(KPW, REAL)                  \
  X(TAU, REAL)                  \
  X(BUNGE, REAL)                \
  X(ORGANIC, INT)               \
  X(BAF, REAL)                  \
  X(ECOCHRON, REAL)             \
  X(CARCTYPE, FLAG)             \
  X(MW, REAL)                   \
  X(VP, REAL)                   \
  X(KDSW, REAL)                 \
  X(LOGKOW, REAL)
