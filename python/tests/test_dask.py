"""vorn.dask on a local cluster of threads and of processes equals the local runs."""

import distributed
import pytest
import vorn
import vorn.dask
from conftest import EXAMPLES, assert_same_result


@pytest.fixture(scope="module", params=[False, True], ids=["threads", "processes"])
def client(request):
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=request.param,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            yield client


def test_run_many_on_the_cluster_equals_the_local_runs(client, tmp_path):
    bad = tmp_path / "bad"
    bad.mkdir()
    (bad / "VORN.IN").write_text("1021\nLF\n1e-5\nmany\n")
    paths = [EXAMPLES[0], tmp_path / "missing", EXAMPLES[1] / "VORN.IN", bad] * 5
    local = vorn.run_many(paths)
    remote = vorn.dask.run_many(paths, client=client)
    assert [r.exit_status for r in remote] == [0, 1, 0, 3] * 5
    for mine, expected in zip(remote, local):
        assert_same_result(mine, expected)
    # Without client= the default one, the client made last.
    assert [r.status for r in vorn.dask.run_many(paths[:4])] == [r.status for r in local[:4]]


def test_montecarlo_on_the_cluster_equals_the_local_run(client):
    scenario = EXAMPLES[0].parent / "montecarlo" / "scenario.toml"
    local = vorn.montecarlo(scenario, realizations=300)
    remote = vorn.dask.montecarlo(scenario, client=client, blocks=3, realizations=300)
    assert remote.to_json() == local.to_json()
    # Blocks sized from the work: however many, the same document.
    assert vorn.dask.montecarlo(scenario, realizations=300).to_json() == local.to_json()


def test_a_run_with_uncertainty_inputs_on_the_cluster_equals_the_local_run(client):
    scenario = EXAMPLES[0].parent / "montecarlo" / "nested.toml"
    local = vorn.montecarlo(scenario, outer=5, inner=40)
    assert vorn.dask.montecarlo(scenario, outer=5, inner=40).to_json() == local.to_json()
