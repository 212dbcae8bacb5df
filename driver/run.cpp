#include "driver/run.hpp"

#include "driver/console.hpp"
#include "inverse/inverse.hpp"
#include "product/product.hpp"
#include "spectrum/spectrum.hpp"

namespace zelvane {
namespace {

void show_banner(console& con) {
    show(con, "\n\n\n\n zelvane,  ver 1.1,  May 31, 2004\n");
    show(con, "\n This program multiplies an input Fourier transform by");
    show(con, "\n a transfer function.");
    show(con, "\n\n\n");
    show(con, "\n The format for each file is: \n");
    show(con, " freq(Hz)   Real(units)  Imaginary(units)    \n");
    show(con, "\n The frequency spacing must be constant.\n");
}

// The stages in their fixed order; false as soon as one cannot go on.
bool run_stages(console& con) {
    // The run's tables, alive from here to the end of the computation.
    spectrum_table input_transform;
    spectrum_table transfer_function;
    product_table product;

    if (!load_table(con, input_transform, which_table::input_transform)) return false;
    if (!load_table(con, transfer_function, which_table::transfer_function)) return false;
    multiply_spectra(input_transform, transfer_function, product);
    if (!convert_to_full(con, product)) return false;
    if (!write_response(con, product)) return false;
    show(con, "\n\n Output Fourier transform file: %s \n", {response_file_name});
    show(con, "\n Calculating inverse..... ");
    if (!inverse_transform(con, default_inverse_options())) return false;
    show(con, "\n\n Output inverse Fourier transform file: %s \n", {real_history_file_name});
    return true;
}

}  // namespace

int run_program() {
    console con = standard_console();
    show_banner(con);
    if (!run_stages(con)) {
        std::fflush(con.out);
        return failed_status;
    }
    show(con, "\n Press any key to exit.");
    wait_for_key();
    return completed_status;
}

}  // namespace zelvane
