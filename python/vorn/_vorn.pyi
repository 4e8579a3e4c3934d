# The extension module's interface; the package vorn wraps it.
from typing import Any, Dict, List, Optional, Tuple

_State = Tuple[str, int, str, Dict[str, Any], Dict[str, Any], str, str]
_Fields = Tuple[Tuple[str, str], ...]

__version__: str
UNIT_FIELDS: _Fields
CHEMICAL_FIELDS: _Fields
DAF_FIELDS: _Fields
RESULT_COLUMNS: _Fields

class RunRecord:
    status: str
    exit_status: int
    message: str
    report_text: str
    log_text: str
    def unit(self) -> Dict[str, Any]: ...
    def chemical_columns(self) -> Dict[str, Any]: ...
    def state(self) -> _State: ...

def run_path(path: bytes) -> RunRecord: ...
def run_text(text: bytes) -> RunRecord: ...
def run_paths(paths: List[bytes], threads: int) -> List[RunRecord]: ...
def run_texts(texts: List[bytes], threads: int) -> List[RunRecord]: ...
def input_bytes(path: bytes) -> Optional[bytes]: ...
def read_input(path: bytes) -> Tuple[Dict[str, Any], Dict[str, Any], Dict[str, Any]]: ...
def input_text(
    unit: Dict[str, Any], chemicals: Dict[str, List[Any]], daf: Dict[str, List[Any]]
) -> str: ...

class Part:
    @staticmethod
    def from_text(text: str) -> Part: ...
    def text(self) -> str: ...
    def merged(self, other: Part) -> Part: ...
    def complete(self) -> bool: ...
    def documents(self) -> Tuple[str, str]: ...

class McCall:
    status: str
    exit_status: int
    message: str
    part: Optional[Part]
    notes: List[str]

def montecarlo(
    scenario_name: str,
    scenario_text: Optional[str],
    input_text: Optional[bytes],
    realizations: Optional[int],
    seed: Optional[int],
    outer: Optional[int],
    inner: Optional[int],
    threads: int,
    shard: Optional[Tuple[int, int]],
) -> McCall: ...
def scenario_input(scenario_name: str, scenario_text: str) -> Optional[str]: ...
def shard_units(
    scenario_name: str,
    scenario_text: str,
    realizations: Optional[int],
    outer: Optional[int],
    inner: Optional[int],
) -> Tuple[int, Optional[int]]: ...
